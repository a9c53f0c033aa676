// The Calc host against a live LibreOffice: one headless instance with a profile of its own for
// the whole run, looked at through a second UNO connection as the user's own tools would see it.
#include <gtest/gtest.h>
#include <signal.h>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/CellHoriJustify.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XMergeable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <fstream>
#include <iterator>

#include "cad/plot.h"
#include "coords/coordinate_sheet.h"
#include "coords/sim_writer.h"
#include "platform/cad_driver/x11/x11_driver.h"
#include "platform/calc/uno_office.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/virtual_display.h"
#include "tests/platform/cad_driver/x11/wait_until.h"
#include "tests/platform/calc/import_sim.h"
#include "tests/platform/calc/test_office.h"
#include "tests/platform/calc/uno_probe.h"

namespace zelanto::testing {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;
using platform::HostError;
using platform::calc::OfficeSettings;

constexpr const char* kNoOffice =
    "LibreOffice is not installed (no soffice on the PATH): the tests against a live Calc do "
    "not run";

// Two points as a surveyor's instrument writes them, the second with an empty elevation.
constexpr const char* kTwoPoints =
    "G00,01,test,\r\nA00,\r\nA01,0012,点1,12.5,-3,3,\r\nA01,007,1e3,100,200,,\r\nA99,\r\n";

// The instance of the run, ended after the last test.
class SharedOffice : public ::testing::Environment {
public:
    static const std::optional<OfficeSettings>& settings() { return settings_; }

    void SetUp() override { settings_ = testOfficeSettings(profile_.path(), true); }
    void TearDown() override { endOffice(profile_.path()); }

private:
    TempFolder profile_;
    static inline std::optional<OfficeSettings> settings_;
};

// A property of an object given by a reference or an Any.
template <typename Object>
Any propertyOf(const Object& object, const char* name) {
    return Reference<css::beans::XPropertySet>(object, UNO_QUERY_THROW)
        ->getPropertyValue(rtl::OUString::createFromAscii(name));
}

template <typename Value>
Value as(const Any& any) {
    Value value{};
    EXPECT_TRUE(any >>= value) << any.getValueTypeName();
    return value;
}

// What a cell holds in Calc: its kind, its value and the text Calc shows for it.
struct HeldCell {
    css::table::CellContentType type;
    double value;
    std::string shown;
};

bool isStopped(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto nameEnd = stat.rfind(')');
    return nameEnd != std::string::npos && stat.compare(nameEnd + 2, 1, "T") == 0;
}

class CalcIntegration : public ::testing::Test {
protected:
    void SetUp() override {
        if (!SharedOffice::settings()) {
            GTEST_SKIP() << kNoOffice;
        }
        settings = *SharedOffice::settings();
        host = platform::calc::makeCalcHost(settings);
    }

    // A coordinate sheet of two points in a new document, the writes sent; its window title.
    std::string importTwoPoints() {
        sheet = coords::createCoordinateSheet(*host);
        importSim(kTwoPoints, *sheet.worksheet);
        sheet.application->setVisible(true);
        return sheet.application->windowTitle();
    }

    HeldCell held(const std::string& title, int row, int column) {
        return probe().call<HeldCell>([sheet = probe().sheet(title, "SIM座標データ"), row, column] {
            const auto cell = sheet->getCellByPosition(column - 1, row - 1);
            return HeldCell{cell->getType(), cell->getValue(),
                            platform::calc::fromUno(
                                Reference<css::text::XText>(cell, UNO_QUERY_THROW)->getString())};
        });
    }

    UnoProbe& probe() {
        if (!probe_) {
            probe_ = std::make_unique<UnoProbe>(settings);
        }
        return *probe_;
    }

    OfficeSettings settings;
    std::unique_ptr<platform::SpreadsheetHost> host;
    coords::SheetReferences sheet;

private:
    std::unique_ptr<UnoProbe> probe_;
};

TEST_F(CalcIntegration, TheCoordinateSheetHasEveryFormatAsCalcHoldsIt) {
    const std::string title = importTwoPoints();
    const auto document = probe().document(title);
    const auto sheet = probe().sheet(title, "SIM座標データ");

    probe().call<void>([document, sheet] {
        const Reference<css::table::XColumnRowRange> bands(sheet, UNO_QUERY_THROW);
        const int widths[] = {1870, 2888, 4787, 4787, 2286};
        for (int column = 0; column < 5; ++column) {
            // Calc keeps widths in twips: a hundredth of a millimetre may go astray.
            EXPECT_NEAR(as<sal_Int32>(propertyOf(bands->getColumns()->getByIndex(column), "Width")),
                        widths[column], 2);
        }
        EXPECT_NEAR(as<sal_Int32>(propertyOf(bands->getRows()->getByIndex(0), "Height")), 1164, 2);
        EXPECT_NEAR(as<sal_Int32>(propertyOf(bands->getRows()->getByIndex(1), "Height")), 820, 2);

        const auto data = sheet->getCellByPosition(3, 99);
        EXPECT_EQ(as<css::table::CellHoriJustify>(propertyOf(data, "HoriJustify")),
                  css::table::CellHoriJustify_CENTER);
        EXPECT_EQ(as<sal_Int32>(propertyOf(data, "VertJustify")), 2);

        const auto title = sheet->getCellRangeByName("A1:E1");
        EXPECT_TRUE(Reference<css::util::XMergeable>(title, UNO_QUERY_THROW)->getIsMerged());
        for (const char* font : {"CharFontName", "CharFontNameAsian", "CharFontNameComplex"}) {
            EXPECT_EQ(platform::calc::fromUno(as<rtl::OUString>(propertyOf(title, font))),
                      "ＭＳ ゴシック")
                << font;
        }
        for (const char* size : {"CharHeight", "CharHeightAsian", "CharHeightComplex"}) {
            EXPECT_EQ(as<float>(propertyOf(title, size)), 20.0f) << size;
        }
        EXPECT_EQ(as<sal_Int32>(propertyOf(title, "CharColor")), 0xFFFFFF);
        EXPECT_EQ(as<sal_Int32>(propertyOf(title, "CellBackColor")), 0x0000FF);
        EXPECT_EQ(as<sal_Int32>(propertyOf(sheet->getCellRangeByName("A2:E2"), "CellBackColor")),
                  0xFFFF00);

        const auto formats = Reference<css::util::XNumberFormatsSupplier>(document, UNO_QUERY_THROW)
                                 ->getNumberFormats();
        const std::pair<const char*, const char*> columns[] = {
            {"A:B", "@"}, {"C:D", "0.0000000_ "}, {"E:E", "0.000_ "}};
        for (const auto& [range, code] : columns) {
            const auto key = as<sal_Int32>(propertyOf(
                sheet->getCellRangeByName(rtl::OUString::createFromAscii(range)), "NumberFormat"));
            const auto format = formats->getByKey(key);
            EXPECT_EQ(
                platform::calc::fromUno(as<rtl::OUString>(propertyOf(format, "FormatString"))),
                code);
            const auto locale = as<css::lang::Locale>(propertyOf(format, "Locale"));
            EXPECT_EQ(platform::calc::fromUno(locale.Language + "-" + locale.Country), "ja-JP");
        }
    });
}

TEST_F(CalcIntegration, ValuesAreNumbersOrTextsAsTheTextFormatSays) {
    const std::string title = importTwoPoints();
    using css::table::CellContentType_TEXT;
    using css::table::CellContentType_VALUE;

    const HeldCell number = held(title, 3, 1);
    EXPECT_EQ(number.type, CellContentType_TEXT);
    EXPECT_EQ(number.shown, "0012");
    const HeldCell name = held(title, 4, 2);
    EXPECT_EQ(name.type, CellContentType_TEXT);
    EXPECT_EQ(name.shown, "1e3");
    const HeldCell x = held(title, 3, 3);
    EXPECT_EQ(x.type, CellContentType_VALUE);
    EXPECT_EQ(x.value, 12.5);
    EXPECT_EQ(x.shown, "12.5000000 ");
    const HeldCell elevation = held(title, 4, 5);
    EXPECT_EQ(elevation.type, CellContentType_VALUE);
    EXPECT_EQ(elevation.shown, "0.000 ");
    EXPECT_EQ(held(title, 1, 1).shown, "SIM座標データ一覧");
    EXPECT_EQ(held(title, 2, 5).shown, "標高値");
    EXPECT_EQ(held(title, 5, 1).type, css::table::CellContentType_EMPTY);
}

TEST_F(CalcIntegration, AnEditInCalcIsWhatThePlotAndTheWriterRead) {
    const std::string title = importTwoPoints();
    probe().call<void>([sheet = probe().sheet(title, "SIM座標データ")] {
        sheet->getCellByPosition(1, 2)->setFormula(platform::calc::toUno("修正"));
        sheet->getCellByPosition(2, 3)->setValue(-50.5);
    });

    TempFolder folder;
    cad::Plot(*sheet.worksheet, 500).writeScript(folder / "orvik.scr");
    const std::string script = readBytes(folder / "orvik.scr");
    EXPECT_NE(script.find("point -101,400\r\n"), std::string::npos) << script;
    EXPECT_NE(script.find(" 1.5 90 \x8f\x43\x90\xb3\r\n"), std::string::npos) << script;
    coords::writeMergedSim(*sheet.worksheet, folder / "orvik.sim");
    EXPECT_NE(readBytes(folder / "orvik.sim").find("A01,2,1e3,-50.5,200,0,"), std::string::npos);
}

// A name read from bytes that are no code page 932 text shows in Calc, and the merged file made
// from what Calc holds has the same bytes.
TEST_F(CalcIntegration, ANameOfStrayBytesShowsInCalcAndIsWrittenBackByteForByte) {
    sheet = coords::createCoordinateSheet(*host);
    importSim("A01,1,\x81\x20\xFD\xA0K,1,2,3,\r\nA99,\r\n", *sheet.worksheet);
    sheet.application->setVisible(true);
    const std::string title = sheet.application->windowTitle();

    EXPECT_EQ(held(title, 3, 2).shown, "\xEE\xBE\x81 \xEE\xBF\xBD\xEE\xBE\xA0K");
    TempFolder folder;
    coords::writeMergedSim(*sheet.worksheet, folder / "orvik.sim");
    EXPECT_NE(readBytes(folder / "orvik.sim").find("A01,1,\x81\x20\xFD\xA0K,1,2,3,\r\n"),
              std::string::npos);
}

TEST_F(CalcIntegration, ADocumentTheUserClosedIsAHostErrorAndTheNextSheetIsNew) {
    const std::string title = importTwoPoints();
    probe().call<void>([document = probe().document(title)] {
        Reference<css::util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
    });

    EXPECT_THROW(sheet.worksheet->value(platform::Row(3), platform::Column(2)), HostError);
    EXPECT_THROW(sheet.worksheet->setName("other"), HostError);
    sheet.worksheet->setValue(platform::Row(10), platform::Column(1), "lost");
    EXPECT_THROW(sheet.application->setVisible(true), HostError);
    EXPECT_THROW(sheet.application->windowTitle(), HostError);

    EXPECT_EQ(held(importTwoPoints(), 3, 1).shown, "0012");
}

TEST_F(CalcIntegration, AFrozenInstanceIsAHostErrorAndAThawedOneIsReachedAgain) {
    importTwoPoints();
    const auto processes = officeProcesses(settings.profile);
    ASSERT_FALSE(processes.empty());
    for (const pid_t pid : processes) {
        kill(pid, SIGSTOP);
    }
    // A signal takes effect when the process next runs, which a busy machine may delay.
    for (const pid_t pid : processes) {
        ASSERT_TRUE(waitUntil([pid] { return isStopped(pid); })) << pid;
    }
    EXPECT_THROW(sheet.worksheet->value(platform::Row(3), platform::Column(1)), HostError);
    // The watchdog has cut the connection: the next call fails at once.
    EXPECT_THROW(sheet.worksheet->value(platform::Row(20000), platform::Column(1)), HostError);
    for (const pid_t pid : processes) {
        kill(pid, SIGCONT);
    }

    const std::string title = importTwoPoints();
    EXPECT_EQ(held(title, 3, 3).value, 12.5);
}

TEST_F(CalcIntegration, TheEndLeavesCalcRunningWithTheUnsavedDocument) {
    const std::string title = importTwoPoints();
    sheet.release();
    host.reset();

    probe().call<void>([document = probe().document(title)] {
        const Reference<css::frame::XModel> model(document, UNO_QUERY_THROW);
        EXPECT_TRUE(model->getURL().isEmpty());
        EXPECT_TRUE(Reference<css::util::XModifiable>(model, UNO_QUERY_THROW)->isModified());
    });
    EXPECT_EQ(held(title, 4, 1).shown, "007");
}

// The one test with a display: a headless LibreOffice can show no window.
TEST(CalcOnADisplay, TheShownDocumentIsAWindowThatThePlotActivatesByItsTitle) {
    TempFolder profile;
    const auto settings = testOfficeSettings(profile.path(), false);
    if (!settings) {
        GTEST_SKIP() << kNoOffice;
    }
    VirtualDisplay display;
    {
        const auto host = platform::calc::makeCalcHost(*settings);
        const auto sheet = coords::createCoordinateSheet(*host);
        sheet.application->setVisible(true);
        const std::string title = sheet.application->windowTitle();
        EXPECT_NE(title.find("LibreOffice Calc"), std::string::npos) << title;
        EXPECT_NE(waitForWindow(display.connection(), title), None) << title;
        EXPECT_NO_THROW(platform::x11::activateWindow(title));
    }
    endOffice(profile.path());
}

TEST(CalcEnded, AnInstanceThatHasGoneIsAHostErrorAndNeverEndsTheProgram) {
    TempFolder profile;
    const auto settings = testOfficeSettings(profile.path(), true);
    if (!settings) {
        GTEST_SKIP() << kNoOffice;
    }
    const auto host = platform::calc::makeCalcHost(*settings);
    const auto sheet = coords::createCoordinateSheet(*host);
    importSim(kTwoPoints, *sheet.worksheet);
    endOffice(profile.path());

    // Whether the connection notices the end before it writes again is a race: a write that
    // comes first must fail, not end this process.
    struct sigaction pipeAction {};
    ASSERT_EQ(sigaction(SIGPIPE, nullptr, &pipeAction), 0);
    EXPECT_EQ(pipeAction.sa_handler, SIG_IGN);
    EXPECT_THROW(sheet.worksheet->value(platform::Row(3), platform::Column(1)), HostError);
    const auto next = coords::createCoordinateSheet(*host);
    importSim(kTwoPoints, *next.worksheet);
    EXPECT_EQ(next.worksheet->value(platform::Row(3), platform::Column(3)),
              platform::CellValue(12.5));
    endOffice(profile.path());
}

}  // namespace
}  // namespace zelanto::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    zelanto::testing::adoptOrphanedDescendants();
    ::testing::AddGlobalTestEnvironment(new zelanto::testing::SharedOffice);
    return RUN_ALL_TESTS();
}
