#pragma once

// The UNO layer's connection to our LibreOffice instance: the bridge over its pipe, the watchdog
// that cuts a call LibreOffice does not answer, and what every UNO call goes through.

#include <atomic>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <functional>
#include <memory>
#include <rtl/ustring.hxx>
#include <string>
#include <vector>

#include "platform/calc/call_runner.h"
#include "platform/calc/office_process.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

// Texts as UNO's and back: UTF-8 on our side, UTF-16 on UNO's.
rtl::OUString toUno(const std::string& utf8);
std::string fromUno(const rtl::OUString& text);

// Runs UNO calls and reports what fails in them, a document the user closed and a connection
// cut by the watchdog included, as a HostError.
template <typename Calls>
auto unoCall(Calls calls) -> decltype(calls()) {
    try {
        return calls();
    } catch (const css::uno::Exception& error) {
        throw HostError("LibreOffice: " + fromUno(error.Message));
    }
}

// A UNO reference that the connection drops when it is cut.
template <typename Interface>
using Kept = std::shared_ptr<css::uno::Reference<Interface>>;

// The kept reference; a HostError once the connection has been cut.
template <typename Interface>
css::uno::Reference<Interface> held(const Kept<Interface>& kept) {
    if (!kept->is()) {
        throw HostError("the connection to LibreOffice was cut");
    }
    return *kept;
}

// Runs `calls`; a failure that `bridge` reports of itself (LibreOffice has gone) sets `gone` at
// once, before the bridge's own notice, so that the next sheet connects anew instead of failing
// once more.
template <typename Result>
Result noticingTheBridgesEnd(const std::function<Result()>& calls,
                             const css::uno::Reference<css::bridge::XBridge>& bridge,
                             std::atomic<bool>& gone) {
    try {
        return calls();
    } catch (const css::uno::RuntimeException& error) {
        if (bridge.is() && error.Context == bridge) {
            gone = true;
        }
        throw;
    }
}

// One connection to our LibreOffice instance: a UNO bridge over the pipe it accepts on, and the
// instance's desktop. Every call over it runs on the connection's CallRunner; when a call goes
// unanswered, the runner disposes the bridge.
class UnoConnection {
public:
    // Connects to `pipe`, trying until LibreOffice accepts on it or the start limit has passed.
    // A HostError when it does not.
    UnoConnection(OfficeSettings settings, const std::string& pipe);
    // Disposes the bridge; LibreOffice keeps its documents.
    ~UnoConnection();
    UnoConnection(const UnoConnection&) = delete;
    UnoConnection& operator=(const UnoConnection&) = delete;

    // Runs UNO calls on the runner within `limit` (the call limit when not given); whatever
    // fails in them is a HostError.
    template <typename Result>
    Result call(std::function<Result()> calls, std::chrono::milliseconds limit = {}) {
        // By value: a call that outlasts its limit may end after the connection.
        return runner_.run<Result>(
            [calls = std::move(calls), bridge = bridge_, gone = bridgeGone_] {
                return unoCall([&] { return noticingTheBridgesEnd(calls, bridge, *gone); });
            },
            limit.count() > 0 ? limit : settings_.callLimit);
    }

    // False once a call went unanswered or LibreOffice closed the connection.
    bool connected() const { return !runner_.broken() && !*bridgeGone_; }
    const OfficeSettings& settings() const { return settings_; }
    css::uno::Reference<css::frame::XDesktop2> desktop() const { return held(desktop_); }

    // Keeps a reference to an object of the instance for as long as the connection lasts. A
    // frozen instance that thaws hands out its objects under the same names again, and UNO
    // would give a new connection the proxies of the cut one while any of them lives: cutting
    // the connection drops them all.
    template <typename Interface>
    Kept<Interface> keep(css::uno::Reference<Interface> object) {
        auto kept = std::make_shared<css::uno::Reference<Interface>>(std::move(object));
        kept_.push_back([weak = std::weak_ptr(kept)] {
            if (const auto reference = weak.lock()) {
                reference->clear();
            }
        });
        return kept;
    }

private:
    void open(const std::string& pipe);
    // Disposes the bridge, so that a stuck call returns, and drops every kept reference.
    void cut() noexcept;

    OfficeSettings settings_;
    CallRunner runner_;
    std::shared_ptr<std::atomic<bool>> bridgeGone_ = std::make_shared<std::atomic<bool>>(false);
    css::uno::Reference<css::bridge::XBridge> bridge_;
    Kept<css::frame::XDesktop2> desktop_;
    // Drop what `keep` has kept; used on the caller's thread only.
    std::vector<std::function<void()>> kept_;
};

}  // namespace zelanto::platform::calc
