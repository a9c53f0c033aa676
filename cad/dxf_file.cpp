#include "cad/dxf_file.h"

#include <dl_dxf.h>
#include <cstdio>
#include <fstream>
#include <memory>

#include "base/atomic_file.h"
#include "base/code_page_932.h"
#include "base/text.h"

namespace zelanto::cad {
namespace {

constexpr DL_Codes::version kVersion = DL_Codes::AC1015;
constexpr const char* kCodePage = "ANSI_932";
constexpr int kMillimetres = 4;  // $INSUNITS
constexpr const char* kTextStyle = "KST32B";
constexpr const char* kTextFont = "kst32b.shx";
constexpr const char* kContinuous = "CONTINUOUS";
// The view around the drawing leaves this much of its size free on every side.
constexpr double kViewMargin = 0.05;
// A view for a drawing that has no size: one point, or nothing.
constexpr double kSmallestView = 10;
// Text justification codes (72 and 73) and the closed flag of a polyline (70).
constexpr int kLeft = 0;
constexpr int kCentre = 1;
constexpr int kBottom = 1;
constexpr int kMiddle = 2;
constexpr int kClosed = 1;

class DxfWriter {
public:
    // Writes to `path`; failures name `target`.
    DxfWriter(const Drawing& drawing, const std::filesystem::path& path,
              const std::filesystem::path& target)
        : drawing_(drawing), out_(dxf_.out(path.c_str(), kVersion)) {
        if (!out_ || out_->openFailed()) {
            throw base::FileError(target, "cannot be created");
        }
        const auto extents = extentsOf(drawing);
        extents_ = extents.value_or(Extents{});
    }

    void write() {
        writeHeader();
        writeTables();
        writeBlocks();
        writeEntities();
        dxf_.writeObjects(*out_);
        dxf_.writeObjectsEnd(*out_);
        out_->dxfEOF();
        out_->close();
    }

private:
    void writeHeader() {
        dxf_.writeHeader(*out_);
        out_->dxfString(9, "$DWGCODEPAGE");
        out_->dxfString(3, kCodePage);
        out_->dxfString(9, "$INSUNITS");
        out_->dxfInt(70, kMillimetres);
        out_->dxfString(9, "$MEASUREMENT");
        out_->dxfInt(70, 1);  // metric
        writePointVariable("$EXTMIN", extents_.min, 30);
        writePointVariable("$EXTMAX", extents_.max, 30);
        writePointVariable("$LIMMIN", extents_.min);
        writePointVariable("$LIMMAX", extents_.max);
        out_->dxfString(9, "$TEXTSTYLE");
        out_->dxfString(7, kTextStyle);
        out_->sectionEnd();
    }

    void writePointVariable(const char* name, WorldPoint point, int zCode = 0) {
        out_->dxfString(9, name);
        out_->dxfReal(10, point.x);
        out_->dxfReal(20, point.y);
        if (zCode != 0) {
            out_->dxfReal(zCode, 0.0);
        }
    }

    void writeTables() {
        out_->sectionTables();
        writeViewport();
        out_->tableLinetypes(3);
        dxf_.writeLinetype(*out_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
        dxf_.writeLinetype(*out_, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        dxf_.writeLinetype(*out_, DL_LinetypeData(kContinuous, "Solid line", 0, 0, 0.0));
        out_->tableEnd();
        out_->tableLayers(static_cast<int>(drawing_.layers.size()) + 1);
        writeLayer(Layer{"0", 7});
        for (const Layer& layer : drawing_.layers) {
            writeLayer(layer);
        }
        out_->tableEnd();
        out_->tableStyle(1);
        writeTextStyle();
        out_->tableEnd();
        dxf_.writeView(*out_);
        dxf_.writeUcs(*out_);
        out_->tableAppid(1);
        dxf_.writeAppid(*out_, "ACAD");
        out_->tableEnd();
        writeDimStyle();
        dxf_.writeBlockRecord(*out_);
        out_->tableEnd();
        out_->sectionEnd();
    }

    void writeLayer(const Layer& layer) {
        dxf_.writeLayer(*out_, DL_LayerData(dxfText(layer.name), 0),
                        DL_Attributes("", layer.colour, 0, kContinuous, 1.0));
    }

    // dxflib keeps an AutoCAD 2000 style's font out of its font file field.
    void writeTextStyle() {
        out_->dxfString(0, "STYLE");
        textStyleHandle_ = out_->handle();
        out_->dxfString(100, "AcDbSymbolTableRecord");
        out_->dxfString(100, "AcDbTextStyleTableRecord");
        out_->dxfString(2, kTextStyle);
        out_->dxfInt(70, 0);
        out_->dxfReal(40, 0.0);  // no fixed height: each text has its own
        out_->dxfReal(41, 1.0);
        out_->dxfReal(50, 0.0);
        out_->dxfInt(71, 0);
        out_->dxfReal(42, 2.5);
        out_->dxfString(3, kTextFont);
        out_->dxfString(4, "");
    }

    // The standard dimension style, as dxflib writes it, but for the text style it names: dxflib
    // names its own standard style, which this drawing does not have, by a handle it never set,
    // so that every file named another, missing style.
    void writeDimStyle() {
        out_->dxfString(0, "TABLE");
        out_->dxfString(2, "DIMSTYLE");
        out_->dxfHex(5, 0xA);
        out_->dxfString(100, "AcDbSymbolTable");
        out_->dxfInt(70, 1);
        out_->dxfString(100, "AcDbDimStyleTable");
        out_->dxfInt(71, 0);
        out_->dxfString(0, "DIMSTYLE");
        out_->dxfHex(105, 0x27);
        out_->dxfString(100, "AcDbSymbolTableRecord");
        out_->dxfString(100, "AcDbDimStyleTableRecord");
        out_->dxfString(2, "Standard");
        out_->dxfReal(41, 2.5);
        out_->dxfReal(42, 0.625);
        out_->dxfReal(43, 3.75);
        out_->dxfReal(44, 0.625);
        out_->dxfInt(70, 0);
        out_->dxfInt(73, 0);
        out_->dxfInt(74, 0);
        out_->dxfInt(77, 1);
        out_->dxfInt(78, 8);
        out_->dxfReal(140, 2.5);
        out_->dxfReal(141, 2.5);
        out_->dxfReal(143, 0.03937007874016);
        out_->dxfReal(147, 0.625);
        out_->dxfInt(171, 3);
        out_->dxfInt(172, 1);
        out_->dxfInt(271, 2);
        out_->dxfInt(272, 2);
        out_->dxfInt(274, 3);
        out_->dxfInt(278, 44);
        out_->dxfInt(283, 0);
        out_->dxfInt(284, 8);
        out_->dxfHex(340, static_cast<int>(textStyleHandle_));
        out_->tableEnd();
    }

    // The view a program opens the drawing with: the whole drawing and a margin.
    void writeViewport() {
        const double width = extents_.max.x - extents_.min.x;
        const double height = extents_.max.y - extents_.min.y;
        const double viewHeight =
            std::max(std::max(width, height) * (1 + 2 * kViewMargin), kSmallestView);
        out_->dxfString(0, "TABLE");
        out_->dxfString(2, "VPORT");
        out_->dxfHex(5, 0x8);
        out_->dxfString(100, "AcDbSymbolTable");
        out_->dxfInt(70, 1);
        out_->dxfString(0, "VPORT");
        out_->handle();
        out_->dxfString(100, "AcDbSymbolTableRecord");
        out_->dxfString(100, "AcDbViewportTableRecord");
        out_->dxfString(2, "*Active");
        out_->dxfInt(70, 0);
        writeViewportCorners();
        out_->dxfReal(12, (extents_.min.x + extents_.max.x) / 2);
        out_->dxfReal(22, (extents_.min.y + extents_.max.y) / 2);
        out_->dxfReal(40, viewHeight);
        out_->dxfReal(41, 1.0);  // aspect: a square view holds the drawing in either direction
        out_->dxfInt(71, 0);
        out_->dxfInt(72, 100);
        out_->dxfInt(73, 1);
        out_->dxfInt(74, 3);
        out_->dxfString(0, "ENDTAB");
    }

    // The viewport fills the screen; the view looks straight down.
    void writeViewportCorners() {
        out_->dxfReal(10, 0.0);
        out_->dxfReal(20, 0.0);
        out_->dxfReal(11, 1.0);
        out_->dxfReal(21, 1.0);
        out_->dxfReal(16, 0.0);
        out_->dxfReal(26, 0.0);
        out_->dxfReal(36, 1.0);
    }

    void writeBlocks() {
        out_->sectionBlocks();
        for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
            dxf_.writeBlock(*out_, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
            dxf_.writeEndBlock(*out_, block);
        }
        out_->sectionEnd();
    }

    void writeEntities() {
        out_->sectionEntities();
        for (const Entity& entity : drawing_.entities) {
            std::visit([this](const auto& shape) { writeEntity(shape); }, entity);
        }
        out_->sectionEnd();
    }

    static DL_Attributes attributes(const std::string& layer, int colour) {
        return DL_Attributes(dxfText(layer), colour, 0, "BYLAYER", 1.0);
    }

    void writeEntity(const PointEntity& point) {
        dxf_.writePoint(*out_, DL_PointData(point.at.x, point.at.y, 0.0),
                        attributes(point.layer, point.colour));
    }

    void writeEntity(const CircleEntity& circle) {
        dxf_.writeCircle(*out_, DL_CircleData(circle.centre.x, circle.centre.y, 0.0, circle.radius),
                         attributes(circle.layer, circle.colour));
    }

    // The insertion point is the alignment point as well; readers place the text by the
    // alignment point and its justification.
    void writeEntity(const TextEntity& text) {
        const WorldPoint at = text.at;
        const bool centred = text.anchor == TextAnchor::middleCentre;
        dxf_.writeText(*out_,
                       DL_TextData(at.x, at.y, 0.0, at.x, at.y, 0.0, text.height, 1.0, 0,
                                   centred ? kCentre : kLeft, centred ? kMiddle : kBottom,
                                   dxfText(text.text), kTextStyle, 0.0),
                       attributes(text.layer, text.colour));
    }

    void writeEntity(const OutlineEntity& outline) {
        const int vertices = static_cast<int>(outline.vertices.size());
        dxf_.writePolyline(*out_, DL_PolylineData(vertices, 0, 0, kClosed),
                           attributes(outline.layer, outline.colour));
        for (const WorldPoint& vertex : outline.vertices) {
            dxf_.writeVertex(*out_, DL_VertexData(vertex.x, vertex.y, 0.0, 0.0));
        }
        dxf_.writePolylineEnd(*out_);
    }

    const Drawing& drawing_;
    DL_Dxf dxf_;
    std::unique_ptr<DL_WriterA> out_;
    unsigned long textStyleHandle_ = 0;
    Extents extents_;
};

// dxflib does not report failed writes: a complete file ends with the EOF marker.
bool endsComplete(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::string marker = "EOF\n";
    if (!in || in.tellg() < static_cast<std::streamoff>(marker.size())) {
        return false;
    }
    in.seekg(-static_cast<std::streamoff>(marker.size()), std::ios::end);
    std::string end(marker.size(), '\0');
    in.read(end.data(), static_cast<std::streamsize>(end.size()));
    return in && end == marker;
}

constexpr std::string_view kEscapeStart = "\\U+";

std::string escaped(char32_t codePoint) {
    if (codePoint > 0xFFFF) {
        return "?";
    }
    char text[8];
    std::snprintf(text, sizeof text, "\\U+%04X", static_cast<unsigned>(codePoint));
    return text;
}

// Whether the whole text converts as it is.
bool convertsWhole(std::string_view utf8) {
    return utf8.find(kEscapeStart) == std::string_view::npos && !base::firstWithoutAnsiForm(utf8);
}

std::string characterText(std::string_view character, char32_t codePoint) {
    if (!base::isByteEscape(codePoint) && !base::firstWithoutAnsiForm(character)) {
        return base::toAnsi(character);
    }
    return escaped(codePoint);
}

}  // namespace

void writeDxfFile(const Drawing& drawing, const std::filesystem::path& file) {
    base::writeFileAtomically(file, [&](const std::filesystem::path& temporary) {
        DxfWriter(drawing, temporary, file).write();
        if (!endsComplete(temporary)) {
            throw base::FileError(file, "could not be written completely");
        }
    });
}

std::string dxfText(std::string_view utf8) {
    if (convertsWhole(utf8)) {
        return base::toAnsi(utf8);
    }
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const base::Utf8Character character = base::utf8CharacterAt(utf8.substr(at));
        if (character.length == 0) {
            out += '?';
            ++at;
            continue;
        }
        if (utf8.substr(at).starts_with(kEscapeStart)) {
            out += escaped(U'\\');
        } else {
            out += characterText(utf8.substr(at, character.length), character.codePoint);
        }
        at += character.length;
    }
    return out;
}

}  // namespace zelanto::cad
