#pragma once

#include <functional>

class QWidget;

namespace zelanto::app {

// Runs `handler` once, right after `window` has first been shown and its show has been handled,
// as a window's first activation does.
void onFirstShown(QWidget* window, std::function<void()> handler);

}  // namespace zelanto::app
