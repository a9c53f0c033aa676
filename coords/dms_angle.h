#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelanto::coords {

// An angle in degrees, minutes and seconds, as surveyors give bearings. It is held as a whole
// number of its smallest unit, a second or a tenth, hundredth … of one, so that an angle read
// from a file is shown exactly as the file writes it.
struct DmsAngle {
    std::int64_t units = 0;
    int secondDecimals = 0;  // the places of its seconds: 0 for whole seconds

    double degrees() const;
};

// The angle that `text` writes as ddd.mmss: degrees, then two digits of minutes and two of
// seconds after the point, further digits the fraction of a second. "340.5218" is 340°52′18″,
// "340.52185" 340°52′18.5″, "90.3" 90°30′00″ (the digits keep their places). Nothing for a text
// of another form, a sign, more than three digits of degrees or nine places of a second, or
// minutes or seconds of 60 and more.
std::optional<DmsAngle> dmsAngleFromText(std::string_view text);

// Half a unit of the last place `text` writes in the ddd.mmss form, in degrees: 0.5″ for
// "340.5218", 30″ for "340.52", half a degree for "340".
double dmsRounding(std::string_view text);

// `degrees` (not negative) rounded to a unit of a second with `secondDecimals` places; 360° and
// more after rounding go round again, so that a bearing of 359°59′59.7″ shows as 0°00′00″.
DmsAngle dmsAngleOfDegrees(double degrees, int secondDecimals);

// The angle as surveyors write it out: "340°52′18″", "5°03′07.25″"; the degrees without leading
// zeros, the minutes and seconds with two digits.
std::string dmsText(const DmsAngle& angle);

}  // namespace zelanto::coords
