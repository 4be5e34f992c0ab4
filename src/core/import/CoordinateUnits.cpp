#include "core/import/CoordinateUnits.h"

#include <array>
#include <cmath>

namespace talmir::importers {

namespace {

constexpr std::array<CoordinateForm, kCoordinateUnitCount> kForms{{
    {CoordinateUnit::Decimal, "X1.23", "0", 0, 0, false, false},
    {CoordinateUnit::Hundredths, "X123", "1", 0, 2, false, false},
    {CoordinateUnit::Thousandths, "X1230", "2", 0, 3, false, false},
    {CoordinateUnit::TenThousandths, "X12300", "3", 0, 4, false, false},
    {CoordinateUnit::Leading3, "X00123", "4", 3, 3, true, false},
    {CoordinateUnit::Leading4, "X000123", "5", 4, 3, true, false},
    {CoordinateUnit::HundredThousandths, "X123000", "6", 0, 5, false, false},
    {CoordinateUnit::InchDecimal, "INCH X1.23", "inch", 0, 0, false, true},
    {CoordinateUnit::Inch23Lz, "INCH 2.3 LZ", "inch-2.3-lz", 2, 3, true, true},
    {CoordinateUnit::Inch23Tz, "INCH 2.3 TZ", "inch-2.3-tz", 2, 3, false, true},
    {CoordinateUnit::Inch24Lz, "INCH 2.4 LZ", "inch-2.4-lz", 2, 4, true, true},
    {CoordinateUnit::Inch24Tz, "INCH 2.4 TZ", "inch-2.4-tz", 2, 4, false, true},
    {CoordinateUnit::Inch33Lz, "INCH 3.3 LZ", "inch-3.3-lz", 3, 3, true, true},
    {CoordinateUnit::Inch33Tz, "INCH 3.3 TZ", "inch-3.3-tz", 3, 3, false, true},
    {CoordinateUnit::Millionths, "X1230000", "millionths", 0, 6, false, false},
}};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

const CoordinateForm& coordinateForm(CoordinateUnit unit) {
    return kForms.at(static_cast<std::size_t>(unit));
}

bool coordinateUnitFromName(std::string_view name, CoordinateUnit& unit) {
    for (const CoordinateForm& form : kForms) {
        if (name == form.name || name == std::to_string(static_cast<int>(form.unit))) {
            unit = form.unit;
            return true;
        }
    }
    return false;
}

double fieldMillimetres(std::string_view number, const CoordinateForm& form) {
    bool negative = false;
    bool point = false;
    double value = 0;
    double fraction = 1;
    std::size_t digits = 0;
    for (char c : number) {
        if (c == '-') {
            negative = true;
        } else if (c == '.') {
            point = true;
        } else if (isDigit(c)) {
            value = value * 10 + (c - '0');
            ++digits;
            if (point) {
                fraction *= 10;
            }
        }
    }
    if (point) {
        value /= fraction;  // a number with a point is read as written
    } else {
        const auto width = static_cast<std::size_t>(form.integerDigits + form.decimals);
        if (form.leftAligned && digits < width) {
            value *= std::pow(10.0, static_cast<double>(width - digits));  // suppressed zeros
        }
        value /= std::pow(10.0, form.decimals);
    }
    if (form.inch) {
        value *= kMillimetresPerInch;
    }
    // The sign comes last: it takes no digit position.
    return negative ? -value : value;
}

}  // namespace talmir::importers
