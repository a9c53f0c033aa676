#pragma once

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tests/tool_output.h"

namespace zelanto::testing {

// Just enough reading of an .xlsx file, unpacked with unzip, for tests to check what a sheet
// holds and how it is formatted.

// One part of the package, such as "xl/styles.xml"; empty when there is no such part.
inline std::string unzipPart(const std::filesystem::path& xlsx, const std::string& part) {
    return toolOutput("unzip -p '" + xlsx.string() + "' '" + part + "' 2>/dev/null");
}

// Every element named `tag` in `xml`, each from its start tag to its end.
inline std::vector<std::string> xmlElements(std::string_view xml, std::string_view tag) {
    std::vector<std::string> found;
    const std::string open = "<" + std::string(tag);
    const std::string close = "</" + std::string(tag) + ">";
    for (size_t at = xml.find(open); at != std::string_view::npos; at = xml.find(open, at + 1)) {
        const char next = xml[at + open.size()];
        if (next != ' ' && next != '>' && next != '/') {
            continue;  // a longer name, such as <cols> for <col>
        }
        const size_t startEnd = xml.find('>', at);
        const size_t end =
            xml[startEnd - 1] == '/' ? startEnd + 1 : xml.find(close, startEnd) + close.size();
        found.emplace_back(xml.substr(at, end - at));
    }
    return found;
}

// The first element named `tag` in `xml`; empty when there is none.
inline std::string xmlElement(std::string_view xml, std::string_view tag) {
    const auto found = xmlElements(xml, tag);
    return found.empty() ? std::string() : found.front();
}

// An attribute of the element's start tag; empty when it has none.
inline std::string xmlAttribute(std::string_view element, std::string_view name) {
    const std::string_view startTag = element.substr(0, element.find('>'));
    const std::string key = " " + std::string(name) + "=\"";
    const size_t at = startTag.find(key);
    if (at == std::string_view::npos) {
        return {};
    }
    const size_t begin = at + key.size();
    return std::string(startTag.substr(begin, startTag.find('"', begin) - begin));
}

// The text inside the first element named `tag`.
inline std::string xmlText(std::string_view xml, std::string_view tag) {
    const std::string element = xmlElement(xml, tag);
    const size_t begin = element.find('>') + 1;
    const size_t end = element.rfind("</");
    return begin == 0 || end == std::string::npos ? std::string()
                                                  : element.substr(begin, end - begin);
}

// A cell format as the file spells it.
struct XlsxStyle {
    std::string numberFormat;  // the format code: "General", "@", "0.000_ " …
    std::string font;          // the <font> element
    std::string fill;          // the <fill> element
    std::string alignment;     // the <alignment> element, empty for the default
};

// A cell's content: "string" or "number" and the value as the file spells it.
struct XlsxCell {
    std::string type;
    std::string value;

    friend bool operator==(const XlsxCell&, const XlsxCell&) = default;
};

// The first worksheet of an .xlsx file and its styles.
class XlsxFile {
public:
    explicit XlsxFile(const std::filesystem::path& path)
        : sheet_(unzipPart(path, "xl/worksheets/sheet1.xml")),
          styles_(unzipPart(path, "xl/styles.xml")),
          sharedStrings_(xmlElements(unzipPart(path, "xl/sharedStrings.xml"), "si")) {}

    const std::string& sheetXml() const { return sheet_; }

    // The <c> element of a cell such as "A1"; empty when the file does not write the cell.
    std::string cellElement(const std::string& reference) const {
        for (const auto& cell : xmlElements(sheet_, "c")) {
            if (xmlAttribute(cell, "r") == reference) {
                return cell;
            }
        }
        return {};
    }
    std::string rowElement(int row) const {
        for (const auto& element : xmlElements(sheet_, "row")) {
            if (xmlAttribute(element, "r") == std::to_string(row)) {
                return element;
            }
        }
        return {};
    }
    std::string columnElement(int column) const {
        for (const auto& element : xmlElements(sheet_, "col")) {
            if (std::stoi(xmlAttribute(element, "min")) <= column &&
                column <= std::stoi(xmlAttribute(element, "max"))) {
                return element;
            }
        }
        return {};
    }

    XlsxCell cell(const std::string& reference) const {
        const std::string element = cellElement(reference);
        const std::string type = xmlAttribute(element, "t");
        if (type == "inlineStr" || type == "str") {
            return {"string", xmlText(element, "t")};
        }
        if (type == "s") {
            return {"string", xmlText(sharedStrings_.at(std::stoul(xmlText(element, "v"))), "t")};
        }
        return {type.empty() ? "number" : type, xmlText(element, "v")};
    }

    XlsxStyle cellStyle(const std::string& reference) const {
        return style(xmlAttribute(cellElement(reference), "s"));
    }
    XlsxStyle rowStyle(int row) const { return style(xmlAttribute(rowElement(row), "s")); }
    XlsxStyle columnStyle(int column) const {
        return style(xmlAttribute(columnElement(column), "style"));
    }

private:
    XlsxStyle style(const std::string& index) const {
        const auto formats = xmlElements(xmlElement(styles_, "cellXfs"), "xf");
        const std::string& xf = formats.at(index.empty() ? 0 : std::stoul(index));
        return {numberFormat(xmlAttribute(xf, "numFmtId")),
                nth(xmlElement(styles_, "fonts"), "font", xmlAttribute(xf, "fontId")),
                nth(xmlElement(styles_, "fills"), "fill", xmlAttribute(xf, "fillId")),
                xmlElement(xf, "alignment")};
    }

    std::string numberFormat(const std::string& id) const {
        for (const auto& format : xmlElements(styles_, "numFmt")) {
            if (xmlAttribute(format, "numFmtId") == id) {
                return xmlAttribute(format, "formatCode");
            }
        }
        return id == "49" ? "@" : id == "0" ? "General" : "built-in " + id;
    }

    static std::string nth(const std::string& xml, const char* tag, const std::string& index) {
        return xmlElements(xml, tag).at(std::stoul(index));
    }

    std::string sheet_;
    std::string styles_;
    std::vector<std::string> sharedStrings_;
};

}  // namespace zelanto::testing
