#include "platform/calc/uno_connection.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace zelanto::platform::calc {

rtl::OUString toUno(const std::string& utf8) {
    return rtl::OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

std::string fromUno(const rtl::OUString& text) {
    const rtl::OString utf8 = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

namespace {

using css::uno::Reference;

// LibreOffice has not created the pipe yet while it starts.
constexpr std::chrono::milliseconds kRetryAfter{50};

// The component context of our own process, made once, from the types and services of the
// LibreOffice installation whose program folder holds `program`: URE_BOOTSTRAP names its
// fundamentalrc.
Reference<css::uno::XComponentContext> localContext(const std::filesystem::path& program) {
    static const Reference<css::uno::XComponentContext> context = [&program] {
        // A write into the connection of an office that has gone (it crashed, or was ended) must
        // fail as a broken connection, which the host reports; the default would end the program.
        std::signal(SIGPIPE, SIG_IGN);
        const auto bootstrap = program.parent_path() / "fundamentalrc";
        ::setenv("URE_BOOTSTRAP", ("vnd.sun.star.pathname:" + bootstrap.string()).c_str(), 1);
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

Reference<css::connection::XConnection> connectPipe(
    const Reference<css::uno::XComponentContext>& local, const std::string& pipe,
    std::chrono::steady_clock::time_point end) {
    const auto connector = css::connection::Connector::create(local);
    for (;;) {
        try {
            return connector->connect(toUno("pipe,name=" + pipe));
        } catch (const css::connection::NoConnectException&) {
            if (std::chrono::steady_clock::now() > end) {
                throw HostError("LibreOffice did not start accepting on pipe " + pipe);
            }
            std::this_thread::sleep_for(kRetryAfter);
        }
    }
}

// Notes that the bridge has gone, whoever disposed it.
class BridgeWatch : public cppu::WeakImplHelper1<css::lang::XEventListener> {
public:
    explicit BridgeWatch(std::shared_ptr<std::atomic<bool>> gone) : gone_(std::move(gone)) {}
    void SAL_CALL disposing(const css::lang::EventObject&) override { *gone_ = true; }

private:
    std::shared_ptr<std::atomic<bool>> gone_;
};

void dispose(const Reference<css::bridge::XBridge>& bridge) {
    Reference<css::lang::XComponent>(bridge, css::uno::UNO_QUERY_THROW)->dispose();
}

}  // namespace

UnoConnection::UnoConnection(OfficeSettings settings, const std::string& pipe)
    : settings_(std::move(settings)), runner_(settings_.whileWaiting) {
    try {
        open(pipe);
    } catch (const HostError&) {
        // A bridge made before the failure would outlive the connection that failed to open.
        if (bridge_.is() && !runner_.broken()) {
            unoCall([this] { dispose(bridge_); });
        }
        throw;
    }
}

void UnoConnection::open(const std::string& pipe) {
    const auto end = std::chrono::steady_clock::now() + settings_.startLimit;
    const auto local = call<Reference<css::uno::XComponentContext>>(
        [program = settings_.program] { return localContext(program); });
    const auto pipeConnection = call<Reference<css::connection::XConnection>>(
        [local, pipe, end] { return connectPipe(local, pipe, end); },
        settings_.startLimit + settings_.callLimit);
    bridge_ = call<Reference<css::bridge::XBridge>>([local, pipeConnection, gone = bridgeGone_] {
        auto bridge = css::bridge::BridgeFactory::create(local)->createBridge(
            "", "urp", pipeConnection, nullptr);
        Reference<css::lang::XComponent>(bridge, css::uno::UNO_QUERY_THROW)
            ->addEventListener(new BridgeWatch(gone));
        return bridge;
    });
    // From here on, a call that goes unanswered is freed by disposing the bridge.
    runner_.setCut([this] { cut(); });
    desktop_ = keep(call<Reference<css::frame::XDesktop2>>(
        [bridge = bridge_] {
            const Reference<css::uno::XComponentContext> office(
                bridge->getInstance("StarOffice.ComponentContext"), css::uno::UNO_QUERY_THROW);
            return css::frame::Desktop::create(office);
        },
        settings_.documentLimit));
}

void UnoConnection::cut() noexcept {
    try {
        dispose(bridge_);
    } catch (const css::uno::Exception&) {
        // Already gone.
    }
    for (const auto& drop : kept_) {
        drop();
    }
}

UnoConnection::~UnoConnection() {
    if (!connected()) {
        return;
    }
    try {
        call<void>([bridge = bridge_] { dispose(bridge); });
    } catch (const HostError&) {
        // Cut by the runner instead.
    }
}

}  // namespace zelanto::platform::calc
