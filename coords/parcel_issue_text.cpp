#include "coords/parcel_issue_text.h"

namespace zelanto::coords {
namespace {

// "画地 1「plygon」", or "画地「plygon」" without a number.
std::string parcelName(const std::string& number, const std::string& name) {
    std::string text = "画地";
    if (!number.empty()) {
        text += ' ';
        text += number;
    }
    return text + "「" + name + "」";
}

// "構成点（電算No「12」、測点名「K12」）".
std::string cornerName(const std::string& number, const std::string& name) {
    return "構成点（電算No「" + number + "」、測点名「" + name + "」）";
}

std::string located(const std::filesystem::path& file, long line, const std::string& text) {
    return file.string() + ":" + std::to_string(line) + ": " + text;
}

std::string problemText(const ParcelIssue& issue) {
    const std::string parcel = parcelName(issue.parcelNumber, issue.parcelName);
    switch (issue.problem) {
        case ParcelProblem::NoSuchPoint:
            return parcel + "の" + cornerName(issue.cornerNumber, issue.cornerName) +
                   "に当たる点がありません（その電算No か測点名の A01 を期待）";
        case ParcelProblem::NoBlockEnd:
            return parcel + "が「D99」で閉じていません（" +
                   (issue.cutAt == 0
                        ? std::string("ファイルの終わり")
                        : std::to_string(issue.cutAt) + " 行目の「" + issue.cutBy + "」") +
                   "の前に「D99」を期待）";
        case ParcelProblem::TooFewCorners:
            return parcel + "の構成点が " + std::to_string(issue.corners) +
                   " 点しかありません（3 点以上を期待）";
    }
    return "";
}

std::string field(const LeftOutRecord& record, size_t n) {
    return n < record.fields.size() ? record.fields[n] : std::string();
}

std::string leftOutText(const LeftOutRecord& record) {
    switch (record.reason) {
        case LeftOutReason::UnknownRecord:
            return "の中の「" + record.code +
                   "」は構成点（B01）でも辺（C03）でもないので、画地に入れていません";
        case LeftOutReason::EdgeWithoutCorner:
            return "の「C03」は、辺のまだない構成点の後にないので、使っていません（「B01」ごとに"
                   "その後に一つの「C03」を期待）";
        case LeftOutReason::UnreadableEdge:
            return "の「C03」の辺長「" + field(record, 0) + "」か方向角「" + field(record, 1) +
                   "」が読めないので、使っていません（0 以上の数値の辺長と ddd.mmss の方向角を"
                   "期待）";
    }
    return "";
}

// The four values of a disagreement as shown: the file's, the coordinates', their difference
// and the difference that rounding explains.
struct ShownValues {
    std::string written;
    std::string computed;
    std::string difference;
    std::string explained;
};

ShownValues shownValues(const Parcel& parcel, const EdgeDisagreement& disagreement) {
    const EdgePlaces places = edgePlaces(parcel, disagreement.corner);
    const WrittenEdge& written = *parcel.corners[disagreement.corner].edge;
    if (disagreement.quantity == EdgeQuantity::Length) {
        const auto metres = [&](double value) { return lengthText(value, places.length) + " m"; };
        return {written.lengthText + " m", metres(disagreement.computed),
                metres(disagreement.difference), metres(disagreement.explained)};
    }
    const auto angle = [&](double degrees) {
        return dmsText(dmsAngleOfDegrees(degrees, places.secondDecimals));
    };
    return {dmsText(written.bearing), angle(disagreement.computed), angle(disagreement.difference),
            angle(disagreement.explained)};
}

}  // namespace

std::string describeParcelIssue(const std::filesystem::path& file, const ParcelIssue& issue) {
    return located(file, issue.line, problemText(issue));
}

std::string describeLeftOutRecord(const std::filesystem::path& file, const Parcel& parcel,
                                  const LeftOutRecord& record) {
    return located(file, record.line, parcelName(parcel.number, parcel.name) + leftOutText(record));
}

std::string describeEdgeDisagreement(const std::filesystem::path& file, const Parcel& parcel,
                                     const EdgeDisagreement& disagreement) {
    const ParcelCorner& from = parcel.corners[disagreement.corner];
    const ParcelCorner& to = parcel.corners[(disagreement.corner + 1) % parcel.corners.size()];
    const ShownValues values = shownValues(parcel, disagreement);
    const char* quantity = disagreement.quantity == EdgeQuantity::Length ? "辺長" : "方向角";
    return located(
        file, from.edge->line,
        parcelName(parcel.number, parcel.name) + "の" + cornerName(from.number, from.name) +
            "から次の" + cornerName(to.number, to.name) + "への" + quantity + "が C03 では " +
            values.written + "、座標からは " + values.computed + " です（差 " + values.difference +
            "、丸めで説明できる差は " + values.explained + " まで）");
}

}  // namespace zelanto::coords
