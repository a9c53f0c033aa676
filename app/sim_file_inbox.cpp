#include "app/sim_file_inbox.h"

#include <utility>

#include "app/first_show.h"
#include "app/form1.h"

namespace zelanto::app {

HandOverAnswer SimFileInbox::deliver(const QString& file) {
    if (!waiting_.isEmpty()) {
        return HandOverAnswer::Busy;
    }
    if (window_ != nullptr) {
        return window_->takeSimFile(file) ? HandOverAnswer::Taken : HandOverAnswer::Busy;
    }
    waiting_ = file;
    return HandOverAnswer::Taken;
}

void SimFileInbox::attach(Form1& window) {
    window_ = &window;
    if (waiting_.isEmpty()) {
        return;
    }
    // After the window's own first-show handler, which was set up when it was made.
    onFirstShown(&window, [this] {
        if (window_ != nullptr) {
            window_->takeSimFile(std::exchange(waiting_, QString()));
        }
    });
}

}  // namespace zelanto::app
