#include "app/sim_file_inbox.h"

#include <QTest>

#include "tests/app/form1_fixture.h"
#include "tests/coords/sim_builder.h"

namespace zelanto::testing {
namespace {

using app::HandOverAnswer;

class SimFileInboxTest : public Form1Test {
protected:
    app::SimFileInbox inbox;
};

TEST_F(SimFileInboxTest, FileThatCameDuringTheSplashIsImportedOnceTheWindowIsShown) {
    EXPECT_EQ(inbox.deliver(path(file("a.sim", simWithPoints(2)))), HandOverAnswer::Taken);
    EXPECT_EQ(inbox.deliver(path(file("b.sim", simWithPoints(3)))), HandOverAnswer::Busy)
        << "one file waits already";

    form = std::make_unique<app::Form1>(services);
    inbox.attach(*form);
    EXPECT_EQ(inbox.deliver(path(folder / "b.sim")), HandOverAnswer::Busy) << "a.sim still waits";
    QCoreApplication::processEvents();
    EXPECT_TRUE(host.applications().empty());
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Command5->isVisible(); }));
    EXPECT_EQ(cell(4, coords::kNameColumn), platform::CellValue("P2"));
    EXPECT_TRUE(cell(5, coords::kNameColumn).isEmpty());
    EXPECT_EQ(host.applications().size(), 1u);
}

TEST_F(SimFileInboxTest, FileForAShownWindowGoesStraightToIt) {
    app::Form1& w = start();
    inbox.attach(w);
    EXPECT_EQ(inbox.deliver(path(file("a.sim", simWithPoints(1)))), HandOverAnswer::Taken);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Command5->isVisible(); }));
    EXPECT_EQ(inbox.deliver(path(folder / "a.sim")), HandOverAnswer::Busy);
}

}  // namespace
}  // namespace zelanto::testing
