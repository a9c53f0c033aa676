#pragma once

namespace zelanto::fakecad {

// The title of the fake CAD program's window: it begins with the title the plot activates.
inline constexpr const char* kTitle = "AutoCAD 2000 - [Drawing1.dwg]";

}  // namespace zelanto::fakecad
