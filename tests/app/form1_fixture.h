#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <memory>
#include <stdexcept>

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
    // The value of a cell of the newest coordinate sheet, the one the window works on.
    platform::CellValue cell(int row, platform::Column column) {
        return host.applications().back()->workbooks().back()->sheet().value(row, column.number);
    }
    // The window's widgets, found by their names as a user finds them by sight.
    template <typename Widget>
    Widget* find(const char* name) {
        auto* widget = form->findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            throw std::logic_error(std::string("no widget named ") + name);
        }
        return widget;
    }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    QLabel* label(const char* name) { return find<QLabel>(name); }
    QComboBox* combo() { return find<QComboBox>("Combo1"); }
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
