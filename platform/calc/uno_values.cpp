#include "platform/calc/uno_values.h"

#include <com/sun/star/table/CellHoriJustify.hpp>
#include <type_traits>

namespace zelanto::platform::calc {

rtl::OUString toUno(const std::string& utf8) {
    return rtl::OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

std::string fromUno(const rtl::OUString& text) {
    const rtl::OString utf8 = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

css::uno::Any toUnoCell(const CellValue& value) {
    if (value.isEmpty()) {
        return css::uno::Any();
    }
    if (value.isNumber()) {
        return css::uno::Any(value.number());
    }
    return css::uno::Any(toUno(value.text()));
}

CellValue fromUnoCell(const css::uno::Any& value) {
    double number = 0;
    if (value >>= number) {
        return number;
    }
    rtl::OUString text;
    if ((value >>= text) && !text.isEmpty()) {
        return fromUno(text);
    }
    return CellValue();
}

css::uno::Any toUnoProperty(const CellProperty::Value& value) {
    return std::visit(
        [](const auto& v) {
            using Type = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<Type, std::string>) {
                return css::uno::Any(toUno(v));
            } else if constexpr (std::is_same_v<Type, HoriJustify>) {
                return css::uno::Any(static_cast<css::table::CellHoriJustify>(v));
            } else {
                return css::uno::Any(v);
            }
        },
        value);
}

}  // namespace zelanto::platform::calc
