#include "cli/commands.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/atomic_file.h"
#include "cad/plot.h"
#include "coords/parcel_issue_text.h"
#include "coords/sim_read_error.h"
#include "platform/embedded/xlsx_export.h"

namespace zelanto::cli {

int rejectSimFile(const std::filesystem::path& file, coords::SimFileRefusal refusal,
                  std::ostream& err) {
    err << "zelanto-cli: " << coords::describeSimFileRefusal(file, refusal) << '\n';
    return kReadFailure;
}

int reportReadFailure(const coords::SimReadError& error, std::ostream& err) {
    err << "zelanto-cli: " << coords::describeReadError(error) << '\n';
    return kReadFailure;
}

void reportParcelMessages(const std::filesystem::path& file, const coords::ParcelFile& read,
                          bool checkEdges, std::ostream& err) {
    std::vector<std::pair<long, std::string>> messages;
    for (const coords::ParcelIssue& issue : read.issues) {
        messages.emplace_back(issue.line, coords::describeParcelIssue(file, issue));
    }
    for (const coords::Parcel& parcel : read.parcels) {
        for (const coords::LeftOutRecord& record : parcel.leftOut) {
            messages.emplace_back(record.line, coords::describeLeftOutRecord(file, parcel, record));
        }
        if (!checkEdges) {
            continue;
        }
        for (const coords::EdgeDisagreement& disagreement : coords::edgeDisagreements(parcel)) {
            messages.emplace_back(parcel.corners[disagreement.corner].edge->line,
                                  coords::describeEdgeDisagreement(file, parcel, disagreement));
        }
    }
    std::stable_sort(messages.begin(), messages.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, message] : messages) {
        err << "zelanto-cli: " << message << '\n';
    }
}

std::vector<coords::Parcel> parcelsWithWarnings(const std::filesystem::path& file,
                                                coords::ImportedParcels& found, std::ostream& err) {
    if (found.failure) {
        err << "zelanto-cli: " << coords::describeReadError(*found.failure) << '\n';
        return {};
    }
    reportParcelMessages(file, found.parcels, false, err);
    return std::move(found.parcels.parcels);
}

int guardWrites(std::ostream& err, const std::function<int()>& write) {
    try {
        return write();
    } catch (const base::FileError& error) {
        err << "zelanto-cli: 書き出せません: " << error.what() << '\n';
    } catch (const platform::HostError& error) {
        err << "zelanto-cli: 座標シートのエラー: " << error.what() << '\n';
    } catch (const cad::PlotValueError& error) {
        err << "zelanto-cli: " << error.row() << " 行目 " << error.column() << " 列の「"
            << error.found() << "」は数値ではありません\n";
    }
    return kWriteFailure;
}

std::optional<ImportedSim> importSim(const std::filesystem::path& file, platform::Worksheet& sheet,
                                     std::ostream& err) {
    if (const auto refusal = coords::simFileRefusal(file)) {
        rejectSimFile(file, *refusal, err);
        return std::nullopt;
    }
    try {
        coords::SimImport import(file);
        import.skipToFirstPoint();
        ImportedSim imported;
        imported.points = import.readPoints(sheet);
        imported.parcels = import.finish();
        return imported;
    } catch (const coords::SimReadError& error) {
        reportReadFailure(error, err);
        return std::nullopt;
    }
}

void exportWorkbook(const platform::EmbeddedHost& host, const coords::SheetReferences& sheet,
                    const std::filesystem::path& file) {
    platform::writeXlsx(host.workbookOf(*sheet.workbook).sheet(), file);
}

}  // namespace zelanto::cli
