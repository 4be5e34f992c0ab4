// talmir-convert g81-to-holes [--diameter D] [--tool NAME=CODE[,DIAMETER]]... INPUT:
// the hole data that "G81をNCデータへ..." puts in the hole-data window, with the
// tool codes and diameters of its grid.

#include "cli/Command.h"
#include "cli/SectionChoices.h"

#include "core/export/G81ToHoles.h"

#include <optional>
#include <string>

namespace talmir::cli {
namespace {

constexpr std::string_view kName = "g81-to-holes";

struct ToolChoice {
    std::string code;
    std::optional<std::string> diameter;
};

// CODE[,DIAMETER] after "NAME=".
std::optional<ToolChoice> readTool(std::string_view text) {
    const std::size_t comma = text.find(',');
    const auto code = wholeNumber(text.substr(0, comma));
    if (!code) {
        return std::nullopt;
    }
    ToolChoice choice{exporters::g81ToolCode(*code), std::nullopt};
    if (comma != std::string_view::npos) {
        const auto diameter = wholeNumber(text.substr(comma + 1));
        if (!diameter) {
            return std::nullopt;
        }
        choice.diameter = exporters::g81Diameter(*diameter);
    }
    return choice;
}

Outcome runG81ToHoles(const Arguments& args, const Inputs& inputs, exporters::ExportSink& sink) {
    const std::string usage = "talmir-convert " + std::string(kName) + ": ";
    std::string diameter = "1.0";
    if (const auto all = args.get("diameter")) {
        const auto value = wholeNumber(*all);
        if (!value) {
            return Outcome::usage(usage + "--diameter takes a number\n");
        }
        diameter = exporters::g81Diameter(*value);
    }
    SectionChoices<ToolChoice> tools;
    if (!tools.read(args, "tool", readTool)) {
        return Outcome::usage(usage + "--tool takes NAME=CODE or NAME=CODE,DIAMETER\n");
    }
    auto holes =
        exporters::g81ProgramToHoles(inputs[0], [&](std::size_t row, std::string_view line) {
            exporters::G81ToolRow tool = exporters::defaultG81ToolRow(row);
            tool.diameter = diameter;
            if (const ToolChoice* choice = tools.find(row, line)) {
                tool.code = choice->code;
                tool.diameter = choice->diameter.value_or(diameter);
            }
            return tool;
        });
    return g81Outcome(kName, std::move(holes), tools, sink);
}

const CommandRegistration kG81ToHoles{{
    std::string(kName),
    "[--diameter D] [--tool NAME=CODE[,DIAMETER]]... INPUT [-o OUTPUT]",
    "G81 drilling cycles to hole data: every section with G81 holes (G81X..Y.., or a G81 "
    "line and the X/Y lines after it up to G80 or G00..G03) is a tool, row by row T01, "
    "T02, ... with diameter 1.0 or --diameter D; --tool gives the section NAME (its section "
    "line, or its row number 1, 2, ...) the tool number CODE (5 is T05) and DIAMETER",
    {"diameter", "tool"},
    1,
    runG81ToHoles,
}};

}  // namespace
}  // namespace talmir::cli
