// talmir-convert check INPUT [--tolerance MM] [--area L,B,R,T] [--hole-diameter MM]:
// the check of a G-code program before it goes to a machine, one finding a line
// with its line number; exit 1 when anything is found, 0 when nothing is.

#include "cli/OptionTable.h"

#include "core/editor/ProgramCheck.h"
#include "core/text/CommaFields.h"
#include "core/text/NumericValue.h"

#include <cmath>

namespace talmir::cli {
namespace {

bool readLength(std::string_view text, double& length) {
    double value = 0;
    if (!text::plainDecimal(text, value) || !(value >= 0) || !std::isfinite(value)) {
        return false;
    }
    length = value;
    return true;
}

// "L,B,R,T": the working area's left, bottom, right and top.
bool readArea(std::string_view text, std::optional<std::array<double, 4>>& area) {
    const std::vector<std::string_view> fields = text::splitCommaFields(text);
    std::array<double, 4> box{};
    if (fields.size() != 4) {
        return false;
    }
    for (std::size_t k = 0; k < 4; ++k) {
        if (!text::plainDecimal(fields[k], box[k]) || !std::isfinite(box[k])) {
            return false;
        }
    }
    if (box[0] > box[2] || box[1] > box[3]) {
        return false;
    }
    area = box;
    return true;
}

Outcome runCheck(const editor::CheckOptions& options, const Inputs& inputs,
                 exporters::ExportSink& sink) {
    const std::vector<editor::Finding> findings = editor::checkProgram(inputs[0], options);
    if (findings.empty()) {
        return {};
    }
    // The findings are the answer, on standard output, with the exit status 1.
    (void)sink;
    return {kExitFailed, editor::findingsText(findings), {}};
}

const CommandRegistration kCheck{commandInfo<editor::CheckOptions>({
    .name = "check",
    .summary = "checks a G-code program: arcs whose end is off their circle (--tolerance, 0.002 "
               "mm), arcs of no size, cuts before any F, moves outside --area L,B,R,T, unknown "
               "words, drilled holes closer than their diameter (--hole-diameter, or T..C.. "
               "lines); one finding a line, exit 1 when anything is found",
    .table = {{
        value<editor::CheckOptions>("tolerance", "MM",
                                    [](editor::CheckOptions& options, std::string_view text) {
                                        return readLength(text, options.arcTolerance);
                                    })
            .refusing("--tolerance wants a length of 0 or more in mm"),
        value<editor::CheckOptions>("area", "L,B,R,T",
                                    [](editor::CheckOptions& options, std::string_view text) {
                                        return readArea(text, options.area);
                                    })
            .refusing("--area wants left,bottom,right,top with left <= right, bottom <= top"),
        value<editor::CheckOptions>("hole-diameter", "MM",
                                    [](editor::CheckOptions& options, std::string_view text) {
                                        double diameter = 0;
                                        if (!readLength(text, diameter) || diameter == 0) {
                                            return false;
                                        }
                                        options.holeDiameter = diameter;
                                        return true;
                                    })
            .refusing("--hole-diameter wants a length above 0 in mm"),
    }},
    .run = runCheck,
})};

}  // namespace
}  // namespace talmir::cli
