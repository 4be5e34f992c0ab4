#include "core/export/HolesToDxf.h"

#include "core/export/DxfRecords.h"
#include "core/export/ExportSink.h"
#include "core/export/ExportText.h"
#include "core/export/HoleLines.h"
#include "core/text/Lines.h"

#include <charconv>
#include <cmath>
#include <span>
#include <unordered_map>
#include <utility>

namespace talmir::exporters {

namespace {

const text::NumberPicture kRadius("######0.0############");

struct Tool {
    std::string name;        // "T" + the number in its shortest form
    std::string radiusText;  // the radius through its picture
};

// "T" + the tool number as the shortest text that reads back as it: 1, 2.5, 1e+20.
std::string toolName(double number) {
    char buf[64];
    std::to_chars_result r{};
    if (number == std::trunc(number) && std::fabs(number) < 1e15) {
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(number));
    } else {
        r = std::to_chars(buf, buf + sizeof buf, number);
    }
    std::string name = "T";
    name.append(buf, r.ptr);
    return name;
}

// The tools in order of definition, found by number; a repeated number keeps the
// first definition.
class ToolTable {
public:
    void define(std::string_view line) {
        const double number = holeToolNumber(line);
        if (m_numbers.count(number) != 0) {
            return;
        }
        if (m_tools.size() >= kMaxDxfLayers) {
            throw tableFullFailure();
        }
        const float radius = toSingle(text::numericValue(line.substr(line.find('C') + 1)) * 0.5);
        Tool tool{toolName(number), {}};
        appendNumber(tool.radiusText, kRadius, radius);
        m_numbers.emplace(number, static_cast<int>(m_tools.size()));
        m_tools.push_back(std::move(tool));
    }
    // The tool of the selection line, or -1 when no tool has its number.
    int select(std::string_view line) const {
        const auto found = m_numbers.find(holeToolNumber(line));
        return found == m_numbers.end() ? -1 : found->second;
    }
    const std::vector<Tool>& tools() const { return m_tools; }

private:
    std::vector<Tool> m_tools;
    std::unordered_map<double, int> m_numbers;
};

// Walks the lines as both passes read them. `hole` is called for every hole line
// with the selected tool, or -1 when no defined tool is selected, and the line.
template <class Hole>
void readHoles(std::string_view holes, ToolTable& tools, bool defining, Hole hole) {
    int current = -1;
    std::size_t lineNumber = 0;
    text::LineReader lines(holes);
    for (std::string_view line; lines.next(line);) {
        ++lineNumber;
        if (defining && holeHas(line, 'C')) {
            tools.define(line);
        }
        if (holeHas(line, 'T')) {
            current = tools.select(line);
        }
        if (isHoleLine(line)) {
            hole(current, line, lineNumber);
        }
    }
}

// The reading pass: the tool table, and the number of holes. A text without a
// definition has nothing to convert, whatever else is wrong with it.
std::size_t readTools(std::string_view holes, ToolTable& tools) {
    std::size_t count = 0;
    std::size_t lineWithoutTool = 0;
    readHoles(holes, tools, true, [&](int tool, std::string_view, std::size_t lineNumber) {
        ++count;
        if (tool < 0 && lineWithoutTool == 0) {
            lineWithoutTool = lineNumber;
        }
    });
    if (tools.tools().empty()) {
        throw nothingToConvertFailure();
    }
    if (lineWithoutTool != 0) {
        throw holeWithoutToolFailure(lineWithoutTool);
    }
    return count;
}

template <class Done>
auto writeDxf(std::string_view holes, const DxfOptions& options, ExportSink* sink, Done done)
    -> Result<decltype(done(std::declval<PieceBuffer&>()))> {
    try {
        ToolTable tools;
        const std::size_t count = readTools(holes, tools);
        std::vector<std::string_view> names;
        std::vector<std::string> colours;
        for (std::size_t n = 0; n < tools.tools().size(); ++n) {
            names.push_back(tools.tools()[n].name);
            colours.push_back(dxfColourText(n < options.colours.size() ? options.colours[n] : 0));
        }
        // A CIRCLE takes about 120 bytes.
        PieceBuffer buffer(sink, count * 140 + names.size() * 64 + 2048);
        std::string& out = buffer.text();
        appendDxfFrameStart(out, names, colours);
        DxfCoordinate x;
        DxfCoordinate y;
        readHoles(holes, tools, false, [&](int tool, std::string_view line, std::size_t) {
            const Tool& t = tools.tools()[static_cast<std::size_t>(tool)];
            const DxfStyle style{t.name, colours[static_cast<std::size_t>(tool)]};
            appendDxfCircle(out, style, x.text(singleWord(line, 'X', 0)),
                            y.text(singleWord(line, 'Y', 0)), t.radiusText);
            buffer.handOverWhenFull();
        });
        appendDxfFrameEnd(out);
        return done(buffer);
    } catch (const Failure& failure) {
        return failure;
    }
}

}  // namespace

Result<std::vector<std::string>> holeDxfLayers(std::string_view holes) {
    try {
        ToolTable tools;
        readTools(holes, tools);
        std::vector<std::string> names;
        for (const Tool& tool : tools.tools()) {
            names.push_back(tool.name);
        }
        return names;
    } catch (const Failure& failure) {
        return failure;
    }
}

Result<std::string> holesToDxf(std::string_view holes, const DxfOptions& options) {
    return writeDxf(holes, options, nullptr,
                    [](PieceBuffer& buffer) { return std::move(buffer).release(); });
}

Result<std::uint64_t> holesToDxf(std::string_view holes, const DxfOptions& options,
                                 ExportSink& sink) {
    return writeDxf(holes, options, &sink, [](PieceBuffer& buffer) { return buffer.finish(); });
}

}  // namespace talmir::exporters
