#include "geo/plane_zone.h"

#include <array>

namespace zelanto::geo {
namespace {

constexpr std::array<const char*, PlaneZone::kLast> kRomanNumbers = {
    "I",  "II",  "III",  "IV",  "V",  "VI",  "VII",  "VIII",  "IX",  "X",
    "XI", "XII", "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX",
};

struct DatumName {
    Datum datum;
    const char* option;
    const char* display;
    int firstEpsgCode;  // the code of its zone I; zones II to XIX follow it
};

constexpr std::array<DatumName, 3> kDatums = {{
    {Datum::Jgd2011, "jgd2011", "JGD2011", 6669},
    {Datum::Jgd2000, "jgd2000", "JGD2000", 2443},
    {Datum::Tokyo, "tokyo", "旧日本測地系", 30161},
}};

const DatumName& nameOf(Datum datum) {
    for (const DatumName& name : kDatums) {
        if (name.datum == datum) {
            return name;
        }
    }
    return kDatums.front();
}

}  // namespace

int PlaneZone::epsgCode() const {
    return nameOf(datum).firstEpsgCode + number - kFirst;
}

std::string PlaneZone::crsName() const {
    return "EPSG:" + std::to_string(epsgCode());
}

std::string PlaneZone::displayName() const {
    return std::string(nameOf(datum).display) + " 第" + kRomanNumbers.at(number - kFirst) + "系";
}

std::optional<Datum> datumNamed(std::string_view name) {
    for (const DatumName& datum : kDatums) {
        if (name == datum.option) {
            return datum.datum;
        }
    }
    return std::nullopt;
}

}  // namespace zelanto::geo
