#pragma once

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

namespace zelanto::testing {

// What a pixel of a picture on white shows, by its strongest colour: anti-aliased edges in a pale
// tone of a colour count as that colour, the palest as paper.
enum class Ink { paper, blue, green, dark, other };

// A rectangle of pixels: columns left to right - 1, rows top to bottom - 1.
struct PixelArea {
    int left;
    int top;
    int right;
    int bottom;
};

// A group of touching pixels of one ink: its centre and its bounds.
struct InkBlob {
    double column;
    double row;
    PixelArea bounds;
    int pixels;
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
        const unsigned char* data = cairo_image_surface_get_data(surface_.get());
        const int stride = cairo_image_surface_get_stride(surface_.get());
        const auto* pixel = data + row * stride + column * 4;  // B, G, R, A in memory
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

    // The groups of touching pixels (diagonals included) of `ink`, top to bottom.
    std::vector<InkBlob> blobs(Ink ink) const {
        std::vector<bool> seen(static_cast<std::size_t>(width() * height()));
        std::vector<InkBlob> found;
        for (int row = 0; row < height(); ++row) {
            for (int column = 0; column < width(); ++column) {
                if (!seen[index(column, row)] && at(column, row) == ink) {
                    found.push_back(blobAt(ink, column, row, seen));
                }
            }
        }
        return found;
    }

private:
    std::size_t index(int column, int row) const {
        return static_cast<std::size_t>(row * width() + column);
    }

    InkBlob blobAt(Ink ink, int column, int row, std::vector<bool>& seen) const {
        InkBlob blob{0, 0, {column, row, column + 1, row + 1}, 0};
        std::vector<std::pair<int, int>> open{{column, row}};
        seen[index(column, row)] = true;
        while (!open.empty()) {
            const auto [x, y] = open.back();
            open.pop_back();
            blob.column += x;
            blob.row += y;
            ++blob.pixels;
            blob.bounds = {std::min(blob.bounds.left, x), std::min(blob.bounds.top, y),
                           std::max(blob.bounds.right, x + 1), std::max(blob.bounds.bottom, y + 1)};
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < width() && ny < height() &&
                        !seen[index(nx, ny)] && at(nx, ny) == ink) {
                        seen[index(nx, ny)] = true;
                        open.emplace_back(nx, ny);
                    }
                }
            }
        }
        blob.column /= blob.pixels;
        blob.row /= blob.pixels;
        return blob;
    }

    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_;
};

}  // namespace zelanto::testing
