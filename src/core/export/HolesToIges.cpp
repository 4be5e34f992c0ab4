#include "core/export/HolesToIges.h"

#include "core/export/ExportText.h"
#include "core/export/HoleLines.h"
#include "core/export/IgesRecords.h"
#include "core/text/Lines.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace talmir::exporters {

namespace {

const text::NumberPicture kNumber("######0.0###");

struct Tool {
    float radius;
    int level;
};

// Tool codes ("T01" of T01C1.0) in order of definition; a repeated code keeps its
// first definition.
class ToolTable {
public:
    void define(std::string_view line) {
        const std::size_t c = line.find('C');
        const std::string_view code = line.substr(0, c);
        if (m_tools.count(code) != 0) {
            return;
        }
        const float diameter = toSingle(text::numericValue(line.substr(c + 1)));
        m_tools.emplace(code, Tool{diameter * 0.5f, static_cast<int>(m_tools.size())});
    }
    const Tool* find(std::string_view line) const {
        const auto found = m_tools.find(line);
        return found == m_tools.end() ? nullptr : &found->second;
    }

private:
    std::unordered_map<std::string_view, Tool> m_tools;
};

// Calls `hole(tool, line)` for every hole line with the tool selected before it.
template <class Hole>
void readHoles(std::string_view holes, ToolTable& tools, bool defining, Hole hole) {
    const Tool* current = nullptr;
    std::size_t lineNumber = 0;
    text::LineReader lines(holes);
    for (std::string_view line; lines.next(line);) {
        ++lineNumber;
        if (holeHas(line, 'C')) {
            if (defining) {
                tools.define(line);
            }
        } else if (const Tool* tool = tools.find(line)) {
            current = tool;
        } else if (isHoleLine(line)) {
            if (current == nullptr) {
                throw holeWithoutToolFailure(lineNumber);
            }
            hole(*current, line);
        }
    }
}

// 100,0.,X,Y,X+r,Y,X+r,Y; : a full circle around (X, Y) from and to the point on
// its +X side.
void appendCircle(std::string& out, NumberText* texts, float x, float y, float radius) {
    const float right = x + radius;
    out.assign("100,0.,");
    out.append(texts[0].text(x));
    out.push_back(',');
    out.append(texts[1].text(y));
    out.push_back(',');
    const std::string_view rightText = texts[2].text(right);
    out.append(rightText);
    out.push_back(',');
    out.append(texts[1].text(y));
    out.push_back(',');
    out.append(rightText);
    out.push_back(',');
    out.append(texts[1].text(y));
    out.push_back(';');
}

template <class Done>
auto writeIges(std::string_view holes, const IgesOptions& options, ExportSink* sink, Done done)
    -> Result<decltype(done(std::declval<IgesWriter&>()))> {
    try {
        ToolTable tools;
        std::size_t count = 0;
        readHoles(holes, tools, true, [&count](const Tool&, std::string_view) { ++count; });
        IgesWriter iges(options.caption, options.date, options.time, count, sink);
        NumberText texts[3] = {NumberText(kNumber), NumberText(kNumber), NumberText(kNumber)};
        std::string parameters;
        float x = 0;
        float y = 0;
        readHoles(holes, tools, false, [&](const Tool& tool, std::string_view line) {
            x = singleWord(line, 'X', x);
            y = singleWord(line, 'Y', y);
            appendCircle(parameters, texts, x, y, tool.radius);
            iges.add(100, tool.level, "ARC     ", parameters);
        });
        return done(iges);
    } catch (const Failure& failure) {
        return failure;
    }
}

}  // namespace

Result<std::string> holesToIges(std::string_view holes, const IgesOptions& options) {
    return writeIges(holes, options, nullptr,
                     [](IgesWriter& iges) { return std::move(iges).finish(); });
}

Result<std::uint64_t> holesToIges(std::string_view holes, const IgesOptions& options,
                                  ExportSink& sink) {
    return writeIges(holes, options, &sink, [](IgesWriter& iges) { return iges.finishPieces(); });
}

}  // namespace talmir::exporters
