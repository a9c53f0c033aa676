#include <QApplication>
#include <QIcon>
#include <memory>
#include <optional>

#include "app/form1.h"
#include "app/form2.h"
#include "app/module1.h"
#include "app/services.h"
#include "app/single_instance.h"
#include "app/window_layout.h"
#include "platform/cad_driver/process_cad_driver.h"
#include "platform/calc/calc_host_loader.h"
#include "platform/embedded/embedded_host.h"
#include "platform/qt/desktop_opener.h"
#include "platform/qt/path_text.h"
#include "platform/qt/prompts.h"

namespace {

std::filesystem::path executableFolder() {
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

    // A copy started with a SIM file while another runs gives the file to that one and ends; a
    // copy started without one ends in the splash, silently.
    const QString simFile = zelanto::app::simFileArgument(QCoreApplication::arguments());
    zelanto::app::SingleInstance instance;
    const bool anotherCopyRuns = instance.anotherCopyRunning();
    if (anotherCopyRuns && !simFile.isEmpty()) {
        return zelanto::app::handOverToRunningCopy(simFile, prompts);
    }
    zelanto::app::SimFileInbox inbox;
    std::optional<zelanto::app::HandOverServer> handOver;
    if (!anotherCopyRuns) {
        handOver.emplace(zelanto::app::HandOverServer::defaultSocketPath(),
                         [&inbox](const QString& file) { return inbox.deliver(file); });
    }
    if (!simFile.isEmpty()) {
        inbox.deliver(simFile);
    }

    const zelanto::app::ProgramFiles files = zelanto::app::locateProgramFiles(executableFolder());
    // The help's viewer is asked to show it maximized.
    zelanto::platform::DesktopServicesOpener opener(zelanto::platform::maximizeWindowTitleEnding);
    zelanto::platform::EmbeddedHost embeddedHost(zelanto::app::sheetOpener(opener, prompts));
    // LibreOffice Calc where it is installed; the window paints while Calc takes its time.
    const auto calcHost = zelanto::platform::calc::loadCalcHost(
        files.moduleFolder,
        {[] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }});
    zelanto::platform::SpreadsheetHost& host = calcHost ? *calcHost : embeddedHost;
    zelanto::platform::ProcessCadDriver cad;
    zelanto::app::Services services{prompts, module1, host, cad, opener, files};

    std::unique_ptr<zelanto::app::Form1> form1;
    zelanto::app::Form2 form2(instance, module1, [&] {
        form1 = std::make_unique<zelanto::app::Form1>(services);
        inbox.attach(*form1);
        return form1.get();
    });
    return form2.run();
}
