#pragma once
// How the coordinates of drill and photoplot data are written: the millimetre
// forms the import dialogs have always offered (how 1.23 mm is written), the inch
// forms beside them, whose values are turned into millimetres, and the form of the
// millionths that photoplot data of today use (%FSLAX46Y46*% in millimetres).

#include <string>
#include <string_view>

namespace talmir::importers {

inline constexpr double kMillimetresPerInch = 25.4;

enum class CoordinateUnit {
    Decimal = 0,             // X1.23
    Hundredths = 1,          // X123
    Thousandths = 2,         // X1230
    TenThousandths = 3,      // X12300
    Leading3 = 4,            // X00123: leading zeros kept, 3 integer digits (3.3)
    Leading4 = 5,            // X000123: the same with 4 integer digits (4.3)
    HundredThousandths = 6,  // X123000
    // Inches. LZ keeps the leading zeros (the digits are left-aligned in the m.n
    // field, trailing zeros suppressed), TZ the trailing ones (right-aligned).
    InchDecimal = 7,  // X1.23
    Inch23Lz = 8,
    Inch23Tz = 9,
    Inch24Lz = 10,
    Inch24Tz = 11,
    Inch33Lz = 12,
    Inch33Tz = 13,
    Millionths = 14,  // X1230000
};
inline constexpr int kCoordinateUnitCount = 15;

// A digit form: `integerDigits` and `decimals` of its field for the forms that
// have one (0 and 0 for the others), whether the digits fill the field from the
// left, and whether the values are inches.
struct CoordinateForm {
    CoordinateUnit unit;
    const char* caption;  // in the options dialogs: "X1.23", ..., "INCH 2.4 TZ"
    const char* name;     // on the command line: the number, or "inch-2.4-tz"
    int integerDigits;
    int decimals;
    bool leftAligned;
    bool inch;
};

const CoordinateForm& coordinateForm(CoordinateUnit unit);

inline const char* coordinateUnitCaption(CoordinateUnit unit) {
    return coordinateForm(unit).caption;
}
// Its number, or "inch", "inch-2.3-lz", ..., "millionths"; false when `name`
// names no unit.
bool coordinateUnitFromName(std::string_view name, CoordinateUnit& unit);
inline std::string coordinateUnitName(CoordinateUnit unit) {
    return coordinateForm(unit).name;
}

// The millimetres of the digits (and sign) of a number written in a digit form
// with a field (integerDigits > 0) or in an inch form: LZ digits are padded on the
// right to the field, then scaled, then given their sign; a number with a point is
// read as written (in inches for the inch forms).
double fieldMillimetres(std::string_view number, const CoordinateForm& form);

}  // namespace talmir::importers
