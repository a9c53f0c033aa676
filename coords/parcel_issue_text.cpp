#include "coords/parcel_issue_text.h"

namespace zelanto::coords {
namespace {

// "画地 1「plygon」", or "画地「plygon」" without a number.
std::string parcelName(const ParcelIssue& issue) {
    std::string text = "画地";
    if (!issue.parcelNumber.empty()) {
        text += ' ';
        text += issue.parcelNumber;
    }
    return text + "「" + issue.parcelName + "」";
}

std::string problemText(const ParcelIssue& issue) {
    switch (issue.problem) {
        case ParcelProblem::NoSuchPoint:
            return parcelName(issue) + "の構成点（電算No「" + issue.cornerNumber + "」、測点名「" +
                   issue.cornerName +
                   "」）に当たる点がありません（その電算No か測点名の A01 を期待）";
        case ParcelProblem::NoBlockEnd:
            return parcelName(issue) + "が「D99」で閉じていません（" +
                   (issue.cutAt == 0
                        ? std::string("ファイルの終わり")
                        : std::to_string(issue.cutAt) + " 行目の「" + issue.cutBy + "」") +
                   "の前に「D99」を期待）";
        case ParcelProblem::TooFewCorners:
            return parcelName(issue) + "の構成点が " + std::to_string(issue.corners) +
                   " 点しかありません（3 点以上を期待）";
    }
    return "";
}

}  // namespace

std::string describeParcelIssue(const std::filesystem::path& file, const ParcelIssue& issue) {
    return file.string() + ":" + std::to_string(issue.line) + ": " + problemText(issue);
}

}  // namespace zelanto::coords
