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
#include "core/import/CoordinateUnits.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace talmir {
class InputBytes;
class PieceSink;
}  // namespace talmir

namespace talmir::importers {

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
    CoordinateUnit unit = CoordinateUnit::Hundredths;
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
// D code, with error 6 (overflow) for a coordinate or diameter beyond single
// precision, and with "変換可能なコマンドが、見つかりませんでした" when no hole results.
Result<std::string> drillToHoles(std::string_view text, const DrillOptions& options);

// The same hole data from `input`, read twice as it goes (once for the tool table,
// once for the body), handed to `sink` in pieces in the order of the output; gives
// its length. After a failure the pieces handed over are no hole data.
Result<std::uint64_t> drillToHoles(InputBytes& input, PieceSink& sink, const DrillOptions& options);

}  // namespace talmir::importers
