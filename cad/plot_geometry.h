#pragma once

namespace zelanto::cad {

// What the plot draws for every point, in drawing units, the same at every scale: a point and a
// circle on the first layer, the name on the second, from its point by the name offset.
inline constexpr const char* kPointLayer = "プロット";
inline constexpr int kPointColour = 5;
inline constexpr const char* kNameLayer = "点名";
inline constexpr int kNameColour = 7;
inline constexpr double kCircleRadius = 0.75;
inline constexpr double kTextHeight = 1.5;
inline constexpr double kNameOffsetX = 0.5;
inline constexpr double kNameOffsetY = 1;

}  // namespace zelanto::cad
