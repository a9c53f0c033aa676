#include "tests/e2e/canvas_ink.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "tests/e2e/child_process.h"

namespace zelanto::testing {
namespace {

// A picture in 8-bit RGB, three bytes a pixel, row after row.
struct Picture {
    int width = 0;
    int height = 0;
    std::string rgb;

    bool isBlack(int x, int y) const { return colour(x, y) == 0; }
    // The pixel as 0xRRGGBB.
    unsigned colour(int x, int y) const {
        const auto at = 3 * (static_cast<std::size_t>(y) * width + x);
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(rgb[at + i]); };
        return byte(0) << 16 | byte(1) << 8 | byte(2);
    }
};

// A binary PPM (P6) with 255 as its greatest value.
std::optional<Picture> readPpm(const std::string& bytes) {
    std::istringstream in(bytes);
    std::string magic;
    Picture picture;
    int greatest = 0;
    in >> magic >> picture.width >> picture.height >> greatest;
    in.get();
    const auto size = 3 * static_cast<std::size_t>(picture.width) * picture.height;
    if (magic != "P6" || greatest != 255 || !in || bytes.size() - in.tellg() != size) {
        return std::nullopt;
    }
    picture.rgb = bytes.substr(static_cast<std::size_t>(in.tellg()));
    return picture;
}

// The rows (or columns) that are black for the most part: the canvas, where the drawing's ink is
// sparse, unlike the window's bars and panels.
std::pair<int, int> blackSpan(int count, int across, const auto& isBlackAt) {
    int first = -1;
    int last = -1;
    for (int i = 0; i < count; ++i) {
        int black = 0;
        for (int j = 0; j < across; ++j) {
            black += isBlackAt(i, j);
        }
        if (black * 2 > across) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    return {first, last};
}

}  // namespace

std::optional<CanvasInk> inkOnCanvas(const std::string& windowId) {
    const auto picture =
        readPpm(shellOutput("import -window " + windowId + " -depth 8 ppm:- 2>/dev/null"));
    if (!picture) {
        return std::nullopt;
    }
    const auto [top, bottom] = blackSpan(picture->height, picture->width,
                                         [&](int y, int x) { return picture->isBlack(x, y); });
    const auto [left, right] = blackSpan(picture->width, picture->height,
                                         [&](int x, int y) { return picture->isBlack(x, y); });
    if (top < 0 || left < 0) {
        return std::nullopt;
    }
    CanvasInk ink{.width = right - left + 1, .height = bottom - top + 1};
    ink.left = ink.width;
    ink.top = ink.height;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const unsigned colour = picture->colour(x, y);
            if (colour == 0x0000FF) {
                ++ink.blue;
                ink.left = std::min(ink.left, x - left);
                ink.right = std::max(ink.right, x - left);
                ink.top = std::min(ink.top, y - top);
                ink.bottom = std::max(ink.bottom, y - top);
            }
            ink.white += colour == 0xFFFFFF;
        }
    }
    return ink;
}

}  // namespace zelanto::testing
