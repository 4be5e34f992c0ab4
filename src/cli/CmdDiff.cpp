// talmir-convert diff A B [--tolerance MM]: two G-code programs compared by what
// they draw (lines, arcs, rapid moves, G81 points, within the tolerance): the
// line where they first part and the numbers of elements only in A and only in
// B; exit 0 when they move the same, 1 when they differ.

#include "cli/OptionTable.h"

#include "core/graphic/PlotScanner.h"
#include "core/graphic/Trace.h"
#include "core/text/NumericValue.h"

#include <cmath>

namespace talmir::cli {
namespace {

struct DiffOptions {
    double tolerance = 0.001;
};

Outcome runDiff(const DiffOptions& options, const Inputs& inputs, exporters::ExportSink& sink) {
    graphic::PlotTables a;
    graphic::PlotTables b;
    graphic::scanPlotTables(a, {std::nullopt, inputs[0]});
    graphic::scanPlotTables(b, {std::nullopt, inputs[1]});
    const graphic::ProgramDiff diff = graphic::diffPrograms(a, b, options.tolerance);
    if (diff.same()) {
        putWhole(sink, graphic::diffText(diff));
        return {};
    }
    return {kExitFailed, graphic::diffText(diff), {}};
}

const CommandRegistration kDiff{commandInfo<DiffOptions>({
    .name = "diff",
    .summary = "two G-code programs compared by what they draw, within --tolerance (0.001 mm): "
               "the first differing line and the elements only in A and only in B; exit 1 when "
               "they differ",
    .table = {{value<DiffOptions>("tolerance", "MM",
                                  [](DiffOptions& options, std::string_view text) {
                                      double value = 0;
                                      if (!text::plainDecimal(text, value) || !(value > 0) ||
                                          !std::isfinite(value)) {
                                          return false;
                                      }
                                      options.tolerance = value;
                                      return true;
                                  })
                   .refusing("--tolerance wants a length above 0 in mm")}},
    .run = runDiff,
    .inputs = {"A", "B"},
})};

}  // namespace
}  // namespace talmir::cli
