#include "core/export/G81ToHoles.h"

#include "core/export/DrillCycle.h"
#include "core/export/ExportText.h"
#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"

#include <algorithm>

namespace talmir::exporters {

namespace {

constexpr std::string_view kEol = "\r\n";

void appendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append(kEol);
}

// The hole of a line that is not a G81 line of this program's own kind: its X and
// Y words, blanks and every other word left out ("G81 R5. Z-2. X1.5 Y2." gives
// X1.5Y2.).
void appendXyWords(std::string& out, std::string_view line) {
    for (const char letter : {'X', 'Y'}) {
        const std::size_t at = line.find(letter);
        if (at == std::string_view::npos) {
            continue;
        }
        const std::size_t end = line.find_first_not_of("0123456789.-+", at + 1);
        out.append(line.substr(at, end == std::string_view::npos ? end : end - at));
    }
    out.append(kEol);
}

void appendHoles(std::string& out, const G81ToolRow& row) {
    DrillCycleReader cycle(row.sectionLine);
    if (cycle.sectionLineIsHole()) {
        appendXyWords(out, row.sectionLine);
    }
    text::LineReader reader(row.nodeFile);
    for (std::string_view line; reader.next(line);) {
        if (!cycle.isHole(line)) {
            continue;
        }
        if (line.find("G81") != std::string_view::npos) {
            appendLine(out, line.substr(std::min<std::size_t>(3, line.size())));
        } else {
            appendXyWords(out, line);
        }
    }
}

}  // namespace

std::string g81ToolCode(double number) {
    return "T" + text::formatPicture(number, "#00");
}

std::string g81Diameter(double number) {
    return text::formatPicture(number, "###0.0##");
}

G81ToolRow defaultG81ToolRow(std::size_t row) {
    return G81ToolRow{{}, {}, g81ToolCode(static_cast<double>(row)), "1.0"};
}

std::vector<const SectionNode*> g81Sections(const std::vector<SectionNode>& nodes) {
    std::vector<const SectionNode*> sections;
    for (const SectionNode& node : nodes) {
        if (sections.size() < kMaxSections && isG81Section(node.name, node.data)) {
            sections.push_back(&node);
        }
    }
    return sections;
}

std::string g81ToHoles(const std::vector<G81ToolRow>& rows) {
    std::string out;
    for (const G81ToolRow& row : rows) {
        out.append(row.code);
        out.push_back('C');
        appendLine(out, row.diameter);
    }
    for (const G81ToolRow& row : rows) {
        appendLine(out, row.code);
        appendHoles(out, row);
    }
    return out;
}

Result<std::string> g81ProgramToHoles(
    std::string_view program,
    const std::function<G81ToolRow(std::size_t row, std::string_view sectionLine)>& toolOf) {
    const SectionSplit split = splitSections(text::saveWithLineEnd(program, text::LineEnd::CrLf));
    if (split.failure) {
        return *split.failure;
    }
    const auto sections = g81Sections(split.nodes);
    if (sections.empty()) {
        return nothingToConvertFailure();
    }
    std::vector<G81ToolRow> rows;
    rows.reserve(sections.size());
    for (const SectionNode* section : sections) {
        G81ToolRow row = toolOf(rows.size() + 1, section->name);
        row.sectionLine = section->name;
        row.nodeFile = section->data;
        rows.push_back(std::move(row));
    }
    return g81ToHoles(rows);
}

}  // namespace talmir::exporters
