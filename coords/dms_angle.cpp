#include "coords/dms_angle.h"
#include "base/text.h"

#include <algorithm>
#include <cmath>

#include "coords/sim_reader.h"

namespace zelanto::coords {
namespace {

constexpr int kSecondsPerDegree = 3600;
constexpr size_t kMostDegreeDigits = 3;
constexpr size_t kMinutesAndSecondsDigits = 4;
constexpr int kMostSecondDecimals = 9;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

std::int64_t digitsValue(std::string_view digits) {
    std::int64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

std::int64_t powerOf10(int exponent) {
    std::int64_t power = 1;
    for (int i = 0; i < exponent; ++i) {
        power *= 10;
    }
    return power;
}

// Minutes or seconds: 0 up to 59.
std::string twoDigits(std::int64_t value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

double DmsAngle::degrees() const {
    return static_cast<double>(units) / (static_cast<double>(kSecondsPerDegree) *
                                         static_cast<double>(powerOf10(secondDecimals)));
}

std::optional<DmsAngle> dmsAngleFromText(std::string_view text) {
    text = base::trimBlanks(text);
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string places(point == std::string_view::npos ? "" : text.substr(point + 1));
    if (whole.empty() || whole.size() > kMostDegreeDigits || !allDigits(whole) ||
        !allDigits(places)) {
        return std::nullopt;
    }
    if (places.size() < kMinutesAndSecondsDigits) {
        places.append(kMinutesAndSecondsDigits - places.size(), '0');
    }
    const std::int64_t minutes = digitsValue(std::string_view(places).substr(0, 2));
    const std::int64_t seconds = digitsValue(std::string_view(places).substr(2, 2));
    const std::string_view secondFraction = std::string_view(places).substr(4);
    if (minutes >= 60 || seconds >= 60 ||
        secondFraction.size() > static_cast<size_t>(kMostSecondDecimals)) {
        return std::nullopt;
    }
    DmsAngle angle;
    angle.secondDecimals = static_cast<int>(secondFraction.size());
    const std::int64_t wholeSeconds = (digitsValue(whole) * 60 + minutes) * 60 + seconds;
    angle.units = wholeSeconds * powerOf10(angle.secondDecimals) + digitsValue(secondFraction);
    return angle;
}

double dmsRounding(std::string_view text) {
    text = base::trimBlanks(text);
    const size_t point = text.find('.');
    const size_t places = point == std::string_view::npos ? 0 : text.size() - point - 1;
    // The unit of the last place written, in seconds: a degree, ten minutes, a minute, ten
    // seconds, a second, then tenths, hundredths … of a second.
    constexpr double kPlaceUnits[] = {3600, 600, 60, 10, 1};
    const double unit =
        places < std::size(kPlaceUnits)
            ? kPlaceUnits[places]
            : std::pow(10.0, -static_cast<double>(places - kMinutesAndSecondsDigits));
    return unit / 2 / kSecondsPerDegree;
}

DmsAngle dmsAngleOfDegrees(double degrees, int secondDecimals) {
    const std::int64_t unitsPerSecond = powerOf10(secondDecimals);
    const std::int64_t fullCircle = 360 * kSecondsPerDegree * unitsPerSecond;
    const auto units = static_cast<std::int64_t>(
        std::llround(degrees * kSecondsPerDegree * static_cast<double>(unitsPerSecond)));
    return {units % fullCircle, secondDecimals};
}

std::string dmsText(const DmsAngle& angle) {
    const std::int64_t unitsPerSecond = powerOf10(angle.secondDecimals);
    const std::int64_t wholeSeconds = angle.units / unitsPerSecond;
    std::string text = std::to_string(wholeSeconds / kSecondsPerDegree) + "°" +
                       twoDigits(wholeSeconds / 60 % 60) + "′" + twoDigits(wholeSeconds % 60);
    if (angle.secondDecimals > 0) {
        const std::string fraction = std::to_string(angle.units % unitsPerSecond + unitsPerSecond);
        text += '.';
        text.append(fraction, 1);
    }
    return text + "″";
}

}  // namespace zelanto::coords
