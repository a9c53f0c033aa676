// The plot's drawing as LibreCAD 2.2 prints it. LibreCAD draws texts as strokes, so its PDF holds
// no text that pdftotext could find; whether the names are drawn shows in the rasterized print.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "cad/plot.h"
#include "coords/coordinate_sheet.h"
#include "platform/embedded/embedded_host.h"
#include "tests/temp_folder.h"

namespace zelanto::cad {
namespace {

// The names of the points drawn.
const std::string kNames[] = {"測点名前東西南北", "境界杭測量標識点", "ｱｲｳｴｵ"};

std::string run(const std::string& command) {
    std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, n);
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    return output;
}

class DrawingInLibreCad : public ::testing::Test {
protected:
    // The plot's drawing of three points far apart.
    std::filesystem::path plot() {
        platform::EmbeddedHost host;
        const coords::SheetReferences sheet = coords::createCoordinateSheet(host);
        for (int i = 0; i < 3; ++i) {
            sheet.worksheet->setValue(platform::Row(3 + i), coords::kNumberColumn,
                                      std::to_string(i + 1));
            sheet.worksheet->setValue(platform::Row(3 + i), coords::kNameColumn, kNames[i]);
            sheet.worksheet->setValue(platform::Row(3 + i), coords::kXColumn,
                                      std::to_string(i * 5));
            sheet.worksheet->setValue(platform::Row(3 + i), coords::kYColumn,
                                      std::to_string(i * 3));
            sheet.worksheet->setValue(platform::Row(3 + i), coords::kElevationColumn, "1");
        }
        const auto file = folder_ / "orvik.dxf";
        Plot(*sheet.worksheet, 500).writeDrawing(file);
        return file;
    }

    // LibreCAD prints `dxf` on A3, fitted to the page, as OUT/<stem>.pdf.
    std::filesystem::path print(const std::filesystem::path& dxf) {
        run("HOME='" + folder_.path().string() +
            "' QT_QPA_PLATFORM=offscreen librecad dxf2pdf -a " + "-p 420x297 -t '" +
            folder_.path().string() + "' '" + dxf.string() + "'");
        return folder_ / (dxf.stem().string() + ".pdf");
    }

    // How many pixels of the printed page, rasterized at 50 dots per inch, are dark.
    std::size_t ink(const std::filesystem::path& pdf) {
        const auto prefix = folder_ / pdf.stem();
        run("pdftoppm -gray -r 50 -singlefile '" + pdf.string() + "' '" + prefix.string() + "'");
        std::ifstream in(prefix.string() + ".pgm", std::ios::binary);
        std::string magic;
        int width = 0, height = 0, maximum = 0;
        in >> magic >> width >> height >> maximum;
        in.get();
        const std::string pixels{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(magic, "P5");
        EXPECT_EQ(pixels.size(),
                  static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        return static_cast<std::size_t>(std::count_if(pixels.begin(), pixels.end(), [](char c) {
            return static_cast<unsigned char>(c) < 128;
        }));
    }

    testing::TempFolder folder_;
};

TEST_F(DrawingInLibreCad, JapaneseNamesAreDrawnWithTheirStrokes) {
    const auto drawing = plot();
    // The same drawing with the names in LibreCAD's standard font, which has no Japanese
    // characters: it draws a small mark for each of them.
    std::ifstream in(drawing, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    for (auto at = bytes.find("\nKST32B\n"); at != std::string::npos;
         at = bytes.find("\nKST32B\n", at)) {
        bytes.replace(at, 8, "\nSTANDARD\n");
    }
    const auto withoutJapanese = folder_ / "standard.dxf";
    testing::writeBytes(withoutJapanese, bytes);

    const auto printed = print(drawing);
    const auto fallback = print(withoutJapanese);
    ASSERT_TRUE(std::filesystem::exists(printed));
    ASSERT_TRUE(std::filesystem::exists(fallback));
    const std::size_t drawn = ink(printed);
    const std::size_t marks = ink(fallback);
    EXPECT_GT(drawn, 2 * marks) << drawn << " dark pixels against " << marks;

    // Texts as strokes hold no text; should a later LibreCAD print text, it must be the names.
    const std::string text = run("pdftotext '" + printed.string() + "' -");
    if (text.find_first_not_of(" \n\f") != std::string::npos) {
        for (const std::string& name : kNames) {
            EXPECT_NE(text.find(name), std::string::npos) << name;
        }
    }
}

}  // namespace
}  // namespace zelanto::cad
