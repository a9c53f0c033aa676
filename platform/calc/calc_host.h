#pragma once

// The spreadsheet host in LibreOffice Calc, over the UNO layer's CalcOffice: the application, its
// workbooks and their worksheets, which gather cell writes into blocks, serve cell reads from
// blocks read at once and keep the "@" rule as Calc does.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/calc/calc_office.h"
#include "platform/sheet/cell.h"
#include "platform/sheet/range_address.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

class CalcWorkbook;
class CalcWorksheet;

// The spreadsheet host in LibreOffice Calc. All applications share one connection to our
// LibreOffice instance; when it is lost, the next application connects anew.
class CalcHost : public SpreadsheetHost {
public:
    // Reaches our instance, starting it when it is not running; a HostError when it cannot.
    using Connect = std::function<std::shared_ptr<CalcOffice>()>;

    explicit CalcHost(Connect connect);

    std::shared_ptr<SpreadsheetApplication> createApplication() override;

private:
    Connect connect_;
    std::shared_ptr<CalcOffice> office_;
};

// An application instance of the host: its workbooks are new documents of our LibreOffice
// instance, hidden until shown. Dropping it leaves them open in LibreOffice.
class CalcApplication : public SpreadsheetApplication {
public:
    explicit CalcApplication(std::shared_ptr<CalcOffice> office);

    std::shared_ptr<Workbook> addWorkbook() override;
    // Shows or hides the windows of its documents, once the gathered writes are in.
    void setVisible(bool visible) override;
    // The title of the window of the workbook added last.
    std::string windowTitle() override;

private:
    std::shared_ptr<CalcOffice> office_;
    std::vector<std::shared_ptr<CalcWorkbook>> workbooks_;
};

// A workbook of the host in a Calc document. Each sheet has one worksheet object, so that all
// writes into a sheet go through one buffer in the order made.
class CalcWorkbook : public Workbook {
public:
    explicit CalcWorkbook(std::shared_ptr<CalcDocument> document);

    std::shared_ptr<Worksheet> worksheet(const std::string& name) override;

    // Sends the gathered writes of every worksheet.
    void flush();
    CalcDocument& document() { return *document_; }

private:
    std::shared_ptr<CalcDocument> document_;
    // By the sheet's position in the document.
    std::map<int, std::shared_ptr<CalcWorksheet>> worksheets_;
};

// A block of cells and their values, row by row.
struct CellBlock {
    RangeAddress range;
    std::vector<CellValue> values;
};

// Cell writes gathered into blocks for one transfer, as a caller that fills a table row by row
// makes them: the first row grows cell by cell to the right; every further row starts in the
// first row's first column and spans its columns. Written out in that order, the blocks put into
// the sheet exactly what the single writes would have.
class WriteBuffer {
public:
    // Rows gathered before the buffer counts as full, so that one transfer stays short.
    static constexpr int kMaxBlockRows = 8192;

    bool empty() const { return values_.empty(); }
    // Whether the cell may be added: the buffer is empty, or the cell comes next.
    bool accepts(int row, int column) const;
    // Adds a cell that the buffer accepts.
    void add(int row, int column, CellValue value);
    // True once the buffer holds kMaxBlockRows complete rows.
    bool full() const;
    // The gathered writes as at most two blocks, the complete rows and a last row begun but not
    // finished, in the order written; the buffer is empty afterwards.
    std::vector<CellBlock> take();

private:
    int width() const;
    bool lastRowComplete() const;

    int firstRow_ = 0;
    int firstColumn_ = 0;
    int lastRow_ = 0;
    int lastColumn_ = 0;
    // The first row's width, fixed once a second row begins; 0 before that.
    int columns_ = 0;
    std::vector<CellValue> values_;
};

// Cell values read in blocks, from which the following single reads are served. A caller that
// scans down a table gets ever longer blocks. A block is served only for a short while after it
// was read, since the user may change the sheet in Calc at any moment.
class ReadCache {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int kFirstRows = 64;
    static constexpr int kMaxBlockRows = 8192;
    // The columns A to E of a point row are read together.
    static constexpr int kColumns = 5;
    static constexpr std::chrono::milliseconds kFreshFor{1000};

    explicit ReadCache(Clock clock = std::chrono::steady_clock::now);

    // The cell's value from a fresh block; nothing when no fresh block holds it.
    std::optional<CellValue> find(int row, int column) const;
    // The block to read for a cell not found: from the cell's row down, twice as many rows as
    // the block read last when it ended just above, and the columns from A to at least E.
    RangeAddress blockFor(int row, int column) const;
    // Keeps a block just read.
    void store(CellBlock block);
    void clear() { blocks_.clear(); }

private:
    struct Entry {
        CellBlock block;
        std::chrono::steady_clock::time_point readAt;
    };

    Clock clock_;
    // By first row; no two overlap.
    std::map<int, Entry> blocks_;
    // The rows of the block read last and the row after it.
    int lastRows_ = 0;
    int lastEnd_ = 0;
};

// Which cells the text format "@" covers, from the number formats set on ranges. As in Calc, the
// format set last on a cell is its format; a cell that was never given one is not text.
class TextFormatMap {
public:
    void set(const RangeAddress& range, NumberFormat format);
    bool isText(int row, int column) const;

private:
    struct Entry {
        RangeAddress range;
        bool text;
    };

    // In the order set; an entry that a later one covers whole is dropped.
    std::vector<Entry> entries_;
};

// A worksheet of the host in a sheet of Calc. Consecutive cell writes are gathered and sent as
// one block, and consecutive cell reads are served from blocks read at once; the gathered writes
// go out before any other call (a read included), before a failure is reported, when the buffer
// is full, and when the worksheet goes. So what Calc holds, and what every call returns, is what
// one call per cell would have given.
class CalcWorksheet : public Worksheet {
public:
    explicit CalcWorksheet(std::shared_ptr<CalcSheet> sheet,
                           ReadCache::Clock clock = std::chrono::steady_clock::now);
    // Sends the gathered writes; a failure then is ignored, as dropping a reference never fails.
    ~CalcWorksheet() override;
    CalcWorksheet(const CalcWorksheet&) = delete;
    CalcWorksheet& operator=(const CalcWorksheet&) = delete;

    void setName(const std::string& name) override;
    void setColumnWidth(const RangeAddress& columns, double characters) override;
    void setRowHeight(const RangeAddress& rows, double points) override;
    void setHorizontalAlignment(const RangeAddress& range, HorizontalAlignment alignment) override;
    void setVerticalAlignment(const RangeAddress& range, VerticalAlignment alignment) override;
    void setFontName(const RangeAddress& range, const std::string& name) override;
    void setFontSize(const RangeAddress& range, double points) override;
    void setFontColor(const RangeAddress& range, PaletteColor color) override;
    void setInteriorColor(const RangeAddress& range, PaletteColor color) override;
    void setMergeCells(const RangeAddress& range, bool merged) override;
    void setNumberFormat(const RangeAddress& range, NumberFormat format) override;
    void setValue(Row row, Column column, const CellValue& value) override;
    CellValue value(Row row, Column column) override;
    void select(Row row, Column column) override;

    // Sends the gathered writes to Calc.
    void flush();

private:
    // First thing in every call other than a cell write or read: the writes go out, and what
    // was read may be changed by the call.
    void settle();

    std::shared_ptr<CalcSheet> sheet_;
    TextFormatMap textFormats_;
    WriteBuffer writes_;
    ReadCache reads_;
};

}  // namespace zelanto::platform::calc
