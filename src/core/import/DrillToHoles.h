#pragma once
// Drill data (Excellon-style drill files, Gerber flash data, any text of coordinate
// blocks) to the program's hole data: a tool table of "T" + number + "C" + diameter
// lines, then the body: tool selections and "X" + x + "Y" + y hole lines, in
// millimetres.
//
// The text is cut into blocks at its own separator, the first "*", LF or CR in it;
// every ",", "*", "%", blank, CR and LF inside a block is dropped. Header blocks
// (holding "M48", "METRIC", "INCH", "VER", "FMAT", "DETECT" or "ATC", or starting
// with ";") are read as empty blocks. Coordinates are modal: a block with only X
// keeps the last Y.
//
// For M48, T1C0.8, %, T1, X100Y200, X150Y200, M30 with unit 1 (X123):
//   tool rule "座標の無いデータ": T01C1.000 T02C1.000 / T01 X1.0Y2.0 X1.5Y2.0 T02
//   tool rule "指定文字" with "T": T1C0.800 / T1 X1.0Y2.0 X1.5Y2.0

#include "core/Failure.h"

#include <string>
#include <string_view>

namespace talmir::importers {

// How the value 1.23 mm (or 1.23 inch) is written in the input.
enum class DrillUnit {
    Decimal = 0,             // X1.23
    Hundredths = 1,          // X123
    Thousandths = 2,         // X1230
    TenThousandths = 3,      // X12300
    Leading3 = 4,            // X00123: leading zeros kept, 3 integer digits (3.3)
    Leading4 = 5,            // X000123: the same with 4 integer digits (4.3)
    HundredThousandths = 6,  // X123000
    // Inches, turned into millimetres. LZ keeps the leading zeros (the digits are
    // left-aligned in the m.n field), TZ the trailing ones (right-aligned).
    InchDecimal = 7,  // X1.23
    Inch23Lz = 8,
    Inch23Tz = 9,
    Inch24Lz = 10,
    Inch24Tz = 11,
    Inch33Lz = 12,
    Inch33Tz = 13,
};
inline constexpr int kDrillUnitCount = 14;

// The caption of a unit in the options dialog ("X1.23", ..., "INCH 2.4 TZ").
const char* drillUnitCaption(DrillUnit unit);
// The name of a unit on the command line: its number, or for the inch forms also
// "inch", "inch-2.3-lz", ... ; false when `name` names none.
bool drillUnitFromName(std::string_view name, DrillUnit& unit);
// "inch-2.4-tz" for Inch24Tz, the number for the millimetre forms.
std::string drillUnitName(DrillUnit unit);

enum class DrillHoleRule {
    EveryCoordinate = 0,  // every block with coordinates is a hole
    Code = 1,             // a block holding `holeCode` is a hole
    Cycle = 2,            // holes while a cycle (`cycleCode` ... `cancelCode`) is on
};

enum class DrillToolRule {
    BlockWithoutCoordinates = 0,  // a block without coordinates starts a new tool
    Code = 1,                     // blocks holding `toolCode` are tool blocks
};

struct DrillOptions {
    DrillUnit unit = DrillUnit::Hundredths;
    bool incremental = false;
    DrillHoleRule holeRule = DrillHoleRule::EveryCoordinate;
    std::string holeCode = "D03";
    std::string cycleCode = "G81";
    std::string cancelCode = "G80";
    DrillToolRule toolRule = DrillToolRule::BlockWithoutCoordinates;
    std::string toolCode = "T";
};

// The whole hole-data text, every line ended by CR LF; coordinates with one to
// three decimals ("#######0.0##"), diameters with three to five ("##0.000##").
// Fails with a message when a code the options use is empty, with
// "ツール項目数が99を超えています。" when Gerber flash data selects a 101st distinct
// D code, and with "変換可能なコマンドが、見つかりませんでした" when no hole results.
Result<std::string> drillToHoles(std::string_view text, const DrillOptions& options);

}  // namespace talmir::importers
