#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "app/form1.h"
#include "app/module1.h"
#include "platform/embedded/embedded_host.h"
#include "tests/app/fake_outside.h"
#include "tests/app/fake_prompts.h"
#include "tests/platform/sheet/failing_host.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {

// A main window on a temporary program folder, with every outside program replaced by a double
// and pauses that take no real time.
class Form1Test : public ::testing::Test {
protected:
    ~Form1Test() override { form.reset(); }

    // Creates the window as the splash window does: loaded, at the top-left corner, shown.
    app::Form1& start() {
        form = std::make_unique<app::Form1>(services);
        form->move(0, 0);
        form->show();
        QApplication::processEvents();
        return *form;
    }

    std::filesystem::path file(const std::string& name, const std::string& bytes) {
        writeBytes(folder / name, bytes);
        return folder / name;
    }
    static QString path(const std::filesystem::path& file) {
        return QString::fromStdString(file.string());
    }
    // The value of a cell of the window's coordinate sheet.
    platform::CellValue cell(int row, platform::Column column) {
        return form->sheet().worksheet->value(platform::Row(row), column);
    }
    std::string output(const char* name) { return readBytes(folder / name); }

    TempFolder folder;
    FakePrompts prompts;
    SteppingClock clock;
    std::vector<std::filesystem::path> shownWorkbooks;
    platform::EmbeddedHost host{
        [this](const std::filesystem::path& xlsx) { shownWorkbooks.push_back(xlsx); },
        folder.path() / "cache"};
    // The window works on the embedded host through a switch that can make a call fail.
    FailingHost failing{host};
    FakeCadDriver cad;
    RecordingOpener opener;
    app::Module1 module1{prompts, clock};
    app::Services services{prompts, module1, failing, cad, opener, app::filesBeside(folder.path())};
    std::unique_ptr<app::Form1> form;
};

}  // namespace zelanto::testing
