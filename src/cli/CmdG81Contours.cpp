// talmir-convert g81-contours [--shape round|square] [--x-size A] [--y-size B]
// [--fill F] [--angle DEG] [--section NAME=SHAPE,A,B,F,DEG]... INPUT: the program
// as "G81をラウンド形状へ..." leaves it, every G81 hole replaced by its contour,
// rebuilt from the tree as the G-code window's text view shows it.

#include "cli/Command.h"
#include "cli/SectionChoices.h"

#include "core/export/G81ToContours.h"

#include <array>
#include <optional>
#include <string>

namespace talmir::cli {
namespace {

constexpr std::string_view kName = "g81-contours";

std::optional<exporters::G81Shape> shapeOf(std::string_view text) {
    if (text == "round") {
        return exporters::G81Shape::Round;
    }
    if (text == "square") {
        return exporters::G81Shape::Square;
    }
    return std::nullopt;
}

// The options for every section: the dialog's defaults, changed by the options
// given; the problem when one does not read.
std::optional<std::string> readCommon(const Arguments& args, exporters::G81ContourOptions& o) {
    if (const auto shape = args.get("shape")) {
        const auto read = shapeOf(*shape);
        if (!read) {
            return "--shape takes round or square";
        }
        o.shape = *read;
    }
    const std::array<std::pair<const char*, float*>, 4> numbers{{{"x-size", &o.xSizeMm},
                                                                 {"y-size", &o.ySizeMm},
                                                                 {"fill", &o.fillMm},
                                                                 {"angle", &o.angleDeg}}};
    for (const auto& [option, field] : numbers) {
        if (const auto text = args.get(option)) {
            const auto value = wholeNumber(*text);
            if (!value) {
                return "--" + std::string(option) + " takes a number";
            }
            *field = static_cast<float>(*value);
        }
    }
    return std::nullopt;
}

// SHAPE,A,B,F,DEG after "NAME=".
std::optional<exporters::G81ContourOptions> readSection(std::string_view text) {
    std::array<std::string_view, 5> fields;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::size_t comma = text.find(',');
        if ((comma == std::string_view::npos) != (k + 1 == fields.size())) {
            return std::nullopt;
        }
        fields[k] = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    const auto shape = shapeOf(fields[0]);
    std::array<float, 4> numbers{};
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        const auto value = wholeNumber(fields[k + 1]);
        if (!value) {
            return std::nullopt;
        }
        numbers[k] = static_cast<float>(*value);
    }
    if (!shape) {
        return std::nullopt;
    }
    return exporters::G81ContourOptions{*shape, numbers[0], numbers[1], numbers[2], numbers[3]};
}

Outcome runG81Contours(const Arguments& args, const Inputs& inputs, exporters::ExportSink& sink) {
    const std::string usage = "talmir-convert " + std::string(kName) + ": ";
    exporters::G81ContourOptions common;
    if (const auto problem = readCommon(args, common)) {
        return Outcome::usage(usage + *problem + "\n");
    }
    SectionChoices<exporters::G81ContourOptions> sections;
    if (!sections.read(args, "section", readSection)) {
        return Outcome::usage(usage + "--section takes NAME=round|square,A,B,FILL,ANGLE\n");
    }
    auto program =
        exporters::g81ProgramContours(inputs[0], [&](std::size_t row, std::string_view line) {
            const auto* own = sections.find(row, line);
            return own != nullptr ? *own : common;
        });
    return g81Outcome(kName, std::move(program), sections, sink);
}

const CommandRegistration kG81Contours{{
    std::string(kName),
    "[--shape round|square] [--x-size A] [--y-size B] [--fill F] [--angle DEG] "
    "[--section NAME=SHAPE,A,B,F,DEG]... INPUT [-o OUTPUT]",
    "G81 holes to milling contours around them: a slot with round ends (round, the default) "
    "or a rectangle (square) of A x B mm (2 x 1), repeated inward every F mm (0: once), "
    "turned by DEG (whole degrees); --section gives the section NAME (its section line, or "
    "its row number 1, 2, ...) its own; the program comes back rebuilt from its sections",
    {"shape", "x-size", "y-size", "fill", "angle", "section"},
    1,
    runG81Contours,
}};

}  // namespace
}  // namespace talmir::cli
