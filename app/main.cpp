#include <QApplication>
#include <QIcon>
#include <memory>

#include "app/app_fonts.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/module1.h"
#include "app/services.h"
#include "app/sheet_opener.h"
#include "app/single_instance.h"
#include "app/steady_pause_clock.h"
#include "platform/cad_driver/process_cad_driver.h"
#include "platform/calc/calc_host_loader.h"
#include "platform/embedded/embedded_host.h"
#include "platform/qt/desktop_services_opener.h"
#include "platform/qt/message_box_prompts.h"
#include "platform/qt/path_text.h"

namespace {

std::filesystem::path programFolder() {
    return zelanto::platform::pathOf(QCoreApplication::applicationDirPath());
}

}  // namespace

int main(int argc, char* argv[]) {
    // The resources live in a static library: nothing else would pull them in.
    Q_INIT_RESOURCE(zelanto);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelanto"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zelanto/icon.png")));
    zelanto::app::installFontSubstitutes();

    zelanto::platform::MessageBoxPrompts prompts;
    zelanto::app::SteadyPauseClock clock;
    const zelanto::app::Module1 module1(prompts, clock);

    zelanto::platform::DesktopServicesOpener opener;
    zelanto::platform::EmbeddedHost embeddedHost(zelanto::app::sheetOpener(opener, prompts));
    // LibreOffice Calc where it is installed; the window paints while Calc takes its time.
    const auto calcHost = zelanto::platform::calc::loadCalcHost(
        programFolder(),
        {[] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }});
    zelanto::platform::SpreadsheetHost& host = calcHost ? *calcHost : embeddedHost;
    zelanto::platform::ProcessCadDriver cad;
    zelanto::app::Services services{prompts, module1, host, cad, opener, programFolder()};

    zelanto::app::SingleInstance instance;
    std::unique_ptr<zelanto::app::Form1> form1;
    zelanto::app::Form2 form2(instance, module1, [&] {
        form1 = std::make_unique<zelanto::app::Form1>(services);
        return form1.get();
    });
    return form2.run();
}
