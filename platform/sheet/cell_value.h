#pragma once

#include <string>
#include <variant>

namespace zelanto::platform {

// What a spreadsheet cell holds: nothing, a text or a number. An empty cell equals the empty text.
class CellValue {
public:
    CellValue() = default;
    CellValue(std::string text) : value_(std::move(text)) {}
    CellValue(const char* text) : value_(std::string(text)) {}
    CellValue(double number) : value_(number) {}

    bool isNumber() const { return std::holds_alternative<double>(value_); }
    bool isText() const { return std::holds_alternative<std::string>(value_); }
    // True for an empty cell and for the empty text.
    bool isEmpty() const {
        return std::holds_alternative<std::monostate>(value_) || (isText() && text().empty());
    }

    const std::string& text() const { return std::get<std::string>(value_); }
    double number() const { return std::get<double>(value_); }

    friend bool operator==(const CellValue& a, const CellValue& b) {
        if (a.isEmpty() || b.isEmpty()) {
            return a.isEmpty() && b.isEmpty();
        }
        return a.value_ == b.value_;
    }

private:
    std::variant<std::monostate, std::string, double> value_;
};

}  // namespace zelanto::platform
