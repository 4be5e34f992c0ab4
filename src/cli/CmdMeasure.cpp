// talmir-convert measure INPUT [--json]: cut length, rapid length and the number
// of cut elements of a G-code program per layer and in total, measured from the
// plot tables as the perimeter window measures them.
// talmir-convert stats INPUT [--rapid MM_PER_MIN] [--feed MM_PER_MIN] [--json]: the
// same per layer and in total with the holes, the box and the time at the feeds.
// talmir-convert outlines INPUT --widths TABLE: the program as the graphic frame
// writes it back at closing once the layers have widths: wide tracks replaced by
// their outlines.

#include "cli/OptionTable.h"

#include "core/graphic/LineWidthTable.h"
#include "core/graphic/Measure.h"
#include "core/graphic/PictureGcode.h"
#include "core/graphic/PlotScanner.h"
#include "core/text/NumericValue.h"

#include <cmath>

namespace talmir::cli {
namespace {

struct MeasureOptions {
    bool json = false;
};

Outcome runMeasure(const MeasureOptions& options, const Inputs& inputs,
                   exporters::ExportSink& sink) {
    graphic::PlotTables tables;
    graphic::scanPlotTables(tables, {std::nullopt, inputs[0]});
    const graphic::ProgramMeasure measure = graphic::measureProgram(tables);
    putWhole(sink, options.json ? graphic::measureJson(measure) : graphic::measureText(measure));
    return {};
}

const CommandRegistration kMeasure{commandInfo<MeasureOptions>({
    .name = "measure",
    .summary = "cut length, rapid length (mm) and cut elements of a G-code program per layer and "
               "in total; --json for one JSON object",
    .table = {{flag("json", &MeasureOptions::json)}},
    .run = runMeasure,
})};

struct StatsOptions {
    bool json = false;
    graphic::Feeds feeds;
};

// A feed in millimetres a minute: a positive finite number.
bool readFeed(double& feed, std::string_view text) {
    double value = 0;
    if (!text::plainDecimal(text, value) || !(value > 0) || !std::isfinite(value)) {
        return false;
    }
    feed = value;
    return true;
}

Outcome runStats(const StatsOptions& options, const Inputs& inputs, exporters::ExportSink& sink) {
    graphic::PlotTables tables;
    graphic::scanPlotTables(tables, {std::nullopt, inputs[0]});
    const graphic::ProgramMeasure stats =
        graphic::programStatistics(tables, inputs[0], options.feeds);
    putWhole(sink, options.json ? graphic::statisticsJson(stats) : graphic::statisticsText(stats));
    return {};
}

const CommandRegistration kStats{commandInfo<StatsOptions>({
    .name = "stats",
    .summary = "cut and rapid length (mm), cut elements, holes and time (minutes) of a G-code "
               "program per layer and in total, and its box; cutting moves at their F word or "
               "--feed (1000), rapid moves at --rapid (10000); --json for one JSON object",
    .table = {{
        flag("json", &StatsOptions::json),
        value<StatsOptions>("rapid", "MM_PER_MIN",
                            [](StatsOptions& options, std::string_view text) {
                                return readFeed(options.feeds.rapid, text);
                            })
            .refusing("--rapid wants a feed above 0 in mm/min"),
        value<StatsOptions>("feed", "MM_PER_MIN",
                            [](StatsOptions& options, std::string_view text) {
                                return readFeed(options.feeds.cut, text);
                            })
            .refusing("--feed wants a feed above 0 in mm/min"),
    }},
    .run = runStats,
})};

struct OutlineOptions {
    std::string widths;
};

Outcome runOutlines(const OutlineOptions& options, const Inputs& inputs,
                    exporters::ExportSink& sink) {
    const auto table = readOptionFile(options.widths);
    if (!table) {
        return Outcome::failed("talmir-convert: cannot read " + options.widths + "\n");
    }
    graphic::PlotTables tables;
    graphic::ColourTable colours;
    graphic::scanPlotTables(tables, {std::nullopt, inputs[0]});
    graphic::applyWidthTable(graphic::readWidthTable(*table), tables, colours);
    putWhole(sink, graphic::PictureGcode(tables));
    return {};
}

const CommandRegistration kOutlines{commandInfo<OutlineOptions>({
    .name = "outlines",
    .summary = "a G-code program with the widths of a line-width table applied to its layers, "
               "written back as the graphic frame writes it: wide tracks as their outlines",
    .table = {{text("widths", "TABLE", &OutlineOptions::widths).needed(Need::NonEmpty)}},
    .run = runOutlines,
})};

}  // namespace
}  // namespace talmir::cli
