#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zelanto::fakecad {

// What the CAD program would draw for a script file (code page 932): one line per point, circle,
// text, layer change or colour change, e.g. "POINT 200,400", "CIRCLE 200,400 0.75",
// "TEXT 200.5,401 1.5 90 A1", "LAYER 点名", "COLOR 7"; other commands draw nothing.
std::vector<std::string> drawingOf(const std::filesystem::path& script);

}  // namespace zelanto::fakecad
