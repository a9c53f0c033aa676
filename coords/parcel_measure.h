#pragma once

#include <vector>

#include "coords/parcel.h"

namespace zelanto::coords {

// One row of a parcel's 座標求積表 (coordinate area table), for the corner of the same place in
// the parcel: the difference of its neighbours' Y and the product of its X with that difference.
struct AreaTableRow {
    double yDifference = 0;  // Yn+1 − Yn−1
    double product = 0;      // Xn × (Yn+1 − Yn−1)
};

struct AreaTable {
    std::vector<AreaTableRow> rows;  // one per corner, in the corners' order
    // 倍面積: the sum of the products is twice the area, its sign that of the corners' order;
    // this is its size.
    double doubleArea = 0;
};

// The measures work in the coordinates' own units (metres, square metres). Where the parcel knows
// the decimal places of its coordinates, differences, products and areas are the exact decimals
// that those coordinates give, without the noise of binary fractions (424.189, not
// 424.189000000006).

AreaTable areaTable(const Parcel& parcel);

// The area inside the outline (shoelace formula), positive whatever the corners' order.
double parcelArea(const Parcel& parcel);

// The length of the outline, the side from the last corner back to the first included.
double parcelPerimeter(const Parcel& parcel);

}  // namespace zelanto::coords
