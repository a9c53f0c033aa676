#pragma once

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace zelanto::testing {

// What a pixel of a picture on white shows, by its strongest colour: anti-aliased edges in a pale
// tone of a colour count as that colour, the palest as paper.
enum class Ink { paper, blue, green, dark, other };

// A rectangle of pixels: columns from left to right - 1, rows from top to bottom - 1.
struct PixelArea {
    int left;
    int top;
    int right;
    int bottom;
};

// A PNG file as cairo reads it, for looking at where a picture has ink.
class PngPicture {
public:
    explicit PngPicture(const std::filesystem::path& file)
        : surface_(cairo_image_surface_create_from_png(file.c_str()), &cairo_surface_destroy) {}

    bool read() const { return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface_.get()); }
    int height() const { return cairo_image_surface_get_height(surface_.get()); }

    Ink at(int column, int row) const {
        const unsigned char* pixel = cairo_image_surface_get_data(surface_.get()) +
                                     row * cairo_image_surface_get_stride(surface_.get()) +
                                     column * 4;  // blue, green, red, unused
        const int blue = pixel[0];
        const int green = pixel[1];
        const int red = pixel[2];
        if (std::max({red, green, blue}) < 100) {
            return Ink::dark;
        }
        if (blue - std::max(red, green) > 80) {
            return Ink::blue;
        }
        if (green - std::max(red, blue) > 80) {
            return Ink::green;
        }
        return std::min({red, green, blue}) > 200 ? Ink::paper : Ink::other;
    }

    int count(Ink ink, const PixelArea& area) const {
        int found = 0;
        for (int row = std::max(area.top, 0); row < std::min(area.bottom, height()); ++row) {
            for (int column = std::max(area.left, 0); column < std::min(area.right, width());
                 ++column) {
                found += at(column, row) == ink ? 1 : 0;
            }
        }
        return found;
    }
    int count(Ink ink) const { return count(ink, {0, 0, width(), height()}); }

private:
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_;
};

}  // namespace zelanto::testing
