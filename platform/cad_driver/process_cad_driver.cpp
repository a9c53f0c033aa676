#include "platform/cad_driver/process_cad_driver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>

#include "platform/cad_driver/x11/x11_driver.h"
#include "platform/qt/path_text.h"

namespace zelanto::platform {
namespace {

// How long a program started with a file may take to show it: a first start on a busy machine
// takes a good while.
constexpr int kShowingPatienceMs = 60000;
constexpr int kShowingLookIntervalMs = 100;

// How often, and how long, to look for new windows: a CAD program's first start may take a good
// while, and some show a splash before their main window.
constexpr int kLookIntervalMs = 200;
constexpr int kLookRounds = 300;

// The parent of a process from /proc/PID/stat: "pid (name) state ppid …", where the name may
// hold blanks and parentheses, so the fields are counted from the last ")".
std::optional<pid_t> parentOf(const std::filesystem::path& statFile) {
    std::ifstream in(statFile);
    std::string stat;
    std::getline(in, stat);
    const auto nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 4 >= stat.size()) {
        return std::nullopt;
    }
    const auto fields = stat.find(' ', nameEnd + 4);  // the parent follows ") S "
    pid_t parent = 0;
    const char* first = stat.data() + nameEnd + 4;
    const char* last =
        fields == std::string::npos ? stat.data() + stat.size() : stat.data() + fields;
    if (std::from_chars(first, last, parent).ec != std::errc()) {
        return std::nullopt;
    }
    return parent;
}

std::vector<std::pair<pid_t, pid_t>> parentLinks() {
    std::vector<std::pair<pid_t, pid_t>> links;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        pid_t pid = 0;
        if (std::from_chars(name.data(), name.data() + name.size(), pid).ec != std::errc()) {
            continue;
        }
        if (const auto parent = parentOf(entry.path() / "stat")) {
            links.emplace_back(pid, *parent);
        }
    }
    return links;
}

// What the window system reports of the user: a key or a button pressed in a window of this
// program, or the focus back in one of them. Events that the program makes itself do not count.
bool isUsersAct(const QEvent& event) {
    return event.spontaneous() &&
           (event.type() == QEvent::KeyPress || event.type() == QEvent::MouseButtonPress ||
            event.type() == QEvent::ApplicationActivate);
}

// Runs one X11 operation and reports its failure as the CAD driver's.
template <typename Operation>
auto onX11(Operation operation) {
    try {
        return operation();
    } catch (const x11::NoDisplayError&) {
        throw CadDriverError("the CAD window cannot be driven without an X11 display");
    } catch (const x11::X11Error& error) {
        throw CadDriverError(std::string("the CAD window cannot be driven: ") + error.what());
    }
}

}  // namespace

std::vector<pid_t> processTree(pid_t root) {
    const auto links = parentLinks();
    std::vector<pid_t> tree{root};
    for (std::size_t next = 0; next < tree.size(); ++next) {
        for (const auto& [pid, parent] : links) {
            if (parent == tree[next] && std::find(tree.begin(), tree.end(), pid) == tree.end()) {
                tree.push_back(pid);
            }
        }
    }
    return tree;
}

CadWindowWatch::CadWindowWatch() {
    timer_.setInterval(kLookIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { look(); });
}

void CadWindowWatch::start(pid_t program) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        return;  // without an event loop nobody would look
    }
    program_ = program;
    rounds_ = 0;
    asked_.clear();
    application->installEventFilter(this);
    timer_.start();
}

bool CadWindowWatch::eventFilter(QObject* watched, QEvent* event) {
    if (isUsersAct(*event)) {
        stop();
    }
    return QObject::eventFilter(watched, event);
}

void CadWindowWatch::look() {
    if (++rounds_ >= kLookRounds) {
        stop();
    }
    try {
        for (const x11::WindowId window : x11::programWindows(processTree(program_))) {
            if (std::find(asked_.begin(), asked_.end(), window) == asked_.end()) {
                asked_.push_back(window);
                x11::askMaximizedAndFocused(window);
            }
        }
    } catch (const x11::X11Error&) {
        stop();  // no display: there is no window to maximize
    }
}

void CadWindowWatch::stop() {
    timer_.stop();
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

void ProcessCadDriver::start(const std::filesystem::path& program,
                             const std::vector<std::string>& arguments) {
    QStringList argumentList;
    for (const std::string& argument : arguments) {
        argumentList << QString::fromStdString(argument);
    }
    qint64 pid = 0;
    // startDetached reports a failed exec as well, so a folder or a file that is not executable
    // fails here, not later.
    if (!QProcess::startDetached(textOf(program), argumentList, QString(), &pid)) {
        throw CadDriverError("cannot start " + program.string());
    }
    started_.push_back({program, static_cast<pid_t>(pid)});
    windowWatch_.start(static_cast<pid_t>(pid));
}

void ProcessCadDriver::activate(const std::string& title) {
    onX11([&] { x11::activateWindow(title); });
}

void ProcessCadDriver::activateCad(std::span<const std::string_view> titleWords) {
    const std::vector<pid_t> started =
        started_.empty() ? std::vector<pid_t>{} : processTree(started_.back().pid);
    onX11([&] { x11::activateProgramWindow(started, titleWords); });
}

void ProcessCadDriver::activateCadShowing(const std::string& titlePart) {
    if (started_.empty()) {
        throw CadDriverError("no CAD program has been started");
    }
    const QDeadlineTimer deadline(kShowingPatienceMs);
    while (!onX11([&] {
        return x11::activateProgramWindowTitled(processTree(started_.back().pid), titlePart);
    })) {
        if (deadline.hasExpired()) {
            throw CadDriverError("the CAD program did not show " + titlePart);
        }
        // The window paints meanwhile; what the user does waits.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(kShowingLookIntervalMs);
    }
}

void ProcessCadDriver::closeEarlierStarts() {
    if (started_.empty()) {
        return;
    }
    const Start last = started_.back();
    for (auto earlier = started_.begin(); earlier + 1 != started_.end(); ++earlier) {
        if (earlier->program == last.program) {
            onX11([&] { x11::closeProgramWindows(processTree(earlier->pid)); });
        }
    }
    started_ = {last};
}

void ProcessCadDriver::pressShift() {
    onX11([] { x11::pressShift(); });
}

void ProcessCadDriver::sendKeys(const std::string& keys, bool wait) {
    onX11([&] { x11::typeKeys(keys, wait ? x11::KeyWait::untilProcessed : x11::KeyWait::no); });
}

bool maximizeWindowTitleEnding(const std::string& titleEnd) {
    try {
        return x11::maximizeWindowTitleEnding(titleEnd) != x11::WindowState::absent;
    } catch (const x11::X11Error&) {
        return false;
    }
}

}  // namespace zelanto::platform
