#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::testing {

// Counts the calls made on a host and on every object it made, so that a test can have the n-th
// of them fail: that call throws a HostError without reaching the host; the calls before and
// after it work.
class HostCalls {
public:
    // Counts a call of `operation`; throws when it is the call told to fail.
    void count(const char* operation) {
        ++calls_;
        if (calls_ == failing_) {
            throw platform::HostError(std::string(operation) + " failed: host call " +
                                      std::to_string(calls_) + " was set to fail");
        }
    }
    // Calls are numbered from 1, from the making of the host on; 0 fails none.
    void failOnCall(int number) { failing_ = number; }
    int calls() const { return calls_; }

private:
    int calls_ = 0;
    int failing_ = 0;
};

class FailingWorksheet : public platform::Worksheet {
public:
    FailingWorksheet(std::shared_ptr<platform::Worksheet> sheet, std::shared_ptr<HostCalls> calls)
        : sheet_(std::move(sheet)), calls_(std::move(calls)) {}

    void setName(const std::string& name) override {
        calls_->count("setName");
        sheet_->setName(name);
    }
    void setColumnWidth(const platform::RangeAddress& columns, double characters) override {
        calls_->count("setColumnWidth");
        sheet_->setColumnWidth(columns, characters);
    }
    void setRowHeight(const platform::RangeAddress& rows, double points) override {
        calls_->count("setRowHeight");
        sheet_->setRowHeight(rows, points);
    }
    void setHorizontalAlignment(const platform::RangeAddress& range,
                                platform::HorizontalAlignment alignment) override {
        calls_->count("setHorizontalAlignment");
        sheet_->setHorizontalAlignment(range, alignment);
    }
    void setVerticalAlignment(const platform::RangeAddress& range,
                              platform::VerticalAlignment alignment) override {
        calls_->count("setVerticalAlignment");
        sheet_->setVerticalAlignment(range, alignment);
    }
    void setFontName(const platform::RangeAddress& range, const std::string& name) override {
        calls_->count("setFontName");
        sheet_->setFontName(range, name);
    }
    void setFontSize(const platform::RangeAddress& range, double points) override {
        calls_->count("setFontSize");
        sheet_->setFontSize(range, points);
    }
    void setFontColor(const platform::RangeAddress& range, platform::PaletteColor color) override {
        calls_->count("setFontColor");
        sheet_->setFontColor(range, color);
    }
    void setInteriorColor(const platform::RangeAddress& range,
                          platform::PaletteColor color) override {
        calls_->count("setInteriorColor");
        sheet_->setInteriorColor(range, color);
    }
    void setMergeCells(const platform::RangeAddress& range, bool merged) override {
        calls_->count("setMergeCells");
        sheet_->setMergeCells(range, merged);
    }
    void setNumberFormat(const platform::RangeAddress& range,
                         platform::NumberFormat format) override {
        calls_->count("setNumberFormat");
        sheet_->setNumberFormat(range, format);
    }
    void setValue(platform::Row row, platform::Column column,
                  const platform::CellValue& value) override {
        calls_->count("setValue");
        sheet_->setValue(row, column, value);
    }
    platform::CellValue value(platform::Row row, platform::Column column) override {
        calls_->count("value");
        return sheet_->value(row, column);
    }
    void select(platform::Row row, platform::Column column) override {
        calls_->count("select");
        sheet_->select(row, column);
    }

private:
    std::shared_ptr<platform::Worksheet> sheet_;
    std::shared_ptr<HostCalls> calls_;
};

class FailingWorkbook : public platform::Workbook {
public:
    FailingWorkbook(std::shared_ptr<platform::Workbook> workbook, std::shared_ptr<HostCalls> calls)
        : workbook_(std::move(workbook)), calls_(std::move(calls)) {}

    // The same wrapper for the same worksheet, as the host gives the same worksheet.
    std::shared_ptr<platform::Worksheet> worksheet(const std::string& name) override {
        calls_->count("worksheet");
        const auto sheet = workbook_->worksheet(name);
        auto& wrapped = wrapped_[sheet.get()];
        if (!wrapped) {
            wrapped = std::make_shared<FailingWorksheet>(sheet, calls_);
        }
        return wrapped;
    }

private:
    std::shared_ptr<platform::Workbook> workbook_;
    std::shared_ptr<HostCalls> calls_;
    std::map<const platform::Worksheet*, std::shared_ptr<FailingWorksheet>> wrapped_;
};

class FailingApplication : public platform::SpreadsheetApplication {
public:
    FailingApplication(std::shared_ptr<platform::SpreadsheetApplication> application,
                       std::shared_ptr<HostCalls> calls)
        : application_(std::move(application)), calls_(std::move(calls)) {}

    std::shared_ptr<platform::Workbook> addWorkbook() override {
        calls_->count("addWorkbook");
        return std::make_shared<FailingWorkbook>(application_->addWorkbook(), calls_);
    }
    void setVisible(bool visible) override {
        calls_->count("setVisible");
        application_->setVisible(visible);
    }
    std::string windowTitle() override { return application_->windowTitle(); }

private:
    std::shared_ptr<platform::SpreadsheetApplication> application_;
    std::shared_ptr<HostCalls> calls_;
};

// Any spreadsheet host with a switch that makes its n-th call fail (see HostCalls); every
// operation on the host and on the objects it made counts, createApplication included.
class FailingHost : public platform::SpreadsheetHost {
public:
    explicit FailingHost(platform::SpreadsheetHost& host) : host_(host) {}

    std::shared_ptr<platform::SpreadsheetApplication> createApplication() override {
        calls_->count("createApplication");
        auto application = std::make_shared<FailingApplication>(host_.createApplication(), calls_);
        made_.push_back(application);
        return application;
    }

    void failOnCall(int number) { calls_->failOnCall(number); }
    int calls() const { return calls_->calls(); }
    // Whether anyone still holds the n-th application made (from 0), as a spreadsheet program
    // stays bound to whoever holds it.
    bool held(std::size_t application) const { return !made_.at(application).expired(); }

private:
    platform::SpreadsheetHost& host_;
    std::shared_ptr<HostCalls> calls_ = std::make_shared<HostCalls>();
    std::vector<std::weak_ptr<FailingApplication>> made_;
};

}  // namespace zelanto::testing
