#pragma once
// G81 drilling cycles to milling contours: every hole of a drilling section (see
// DrillCycle.h) is replaced by a rapid move and a feed to the hole centre and a
// clockwise contour around it, a slot with round ends ("円形") or a rectangle
// ("角形") of the X size by the Y size, turned by the angle, optionally repeated
// inward ("塗り", fill): each further pass is the outline made smaller by twice the
// fill on both sides, and every pass ends with a rapid move back to the centre.
// No pass leaves the requested outline.
//
//     G81X10.Y5.  with 角形 4 x 2, no fill, becomes
//     G00X10.0Y5.0
//     G01X10.0Y5.0
//     G00X10.0Y6.0     the middle of the top edge
//     G01X12.0Y6.0 ... G01X10.0Y6.0

#include "core/Failure.h"
#include "core/export/SectionTree.h"

#include <functional>
#include <string>
#include <string_view>

namespace talmir::exporters {

enum class G81Shape { Round = 1, Square = 2 };  // 円形, 角形

struct G81ContourOptions {
    G81Shape shape = G81Shape::Round;
    float xSizeMm = 2.0f;
    float ySizeMm = 1.0f;
    float fillMm = 0.0f;  // 0 or less: one pass
    float angleDeg = 0.0f;
};

// A fill so fine that one hole would take more passes than this is refused.
inline constexpr int kMaxFillPasses = 10000;

// The node file `nodeFile` of the section `sectionLine` with every hole replaced by
// its contour; other lines stay as they are. A hole on the section line itself
// (which names the node and stays) gets its contour at the top of the file. Every
// line of the result ends with CR LF. Fails on a size of 0 or less and on a fill
// too fine for kMaxFillPasses.
Result<std::string> g81Contours(std::string_view sectionLine, std::string_view nodeFile,
                                const G81ContourOptions& options);

// The whole conversion of a G-code program (CR LF, LF or CR lines) as the G-code
// window saves it, empty lines left out: the tree build,
// every drilling section's node file converted with `optionsOf(row, sectionLine)`
// (rows from 1), then the text rebuilt from the nodes as the window rebuilds it.
// Fails with the tree build's message, or with
// "変換可能なコマンドが、見つかりませんでした" when no section drills.
Result<std::string> g81ProgramContours(
    std::string_view program,
    const std::function<G81ContourOptions(std::size_t row, std::string_view sectionLine)>&
        optionsOf);

}  // namespace talmir::exporters
