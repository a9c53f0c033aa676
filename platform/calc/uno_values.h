#pragma once

#include <com/sun/star/uno/Any.hxx>
#include <rtl/ustring.hxx>
#include <string>

#include "platform/calc/calc_office.h"
#include "platform/sheet/cell.h"

namespace zelanto::platform::calc {

// Our values as UNO's and back: texts are UTF-8 on our side and UTF-16 on UNO's.

rtl::OUString toUno(const std::string& utf8);
std::string fromUno(const rtl::OUString& text);

// A number as a double, a text as a string, an empty value or the empty text as void, which
// Calc's block transfer takes for an empty cell.
css::uno::Any toUnoCell(const CellValue& value);
// A double as a number, a non-empty string as a text; anything else (the empty string of an
// empty cell, void for a cell whose formula failed) as empty.
CellValue fromUnoCell(const css::uno::Any& value);

// A property's value, of the type Calc takes for it.
css::uno::Any toUnoProperty(const CellProperty::Value& value);

}  // namespace zelanto::platform::calc
