#include "core/export/SectionTree.h"

#include "core/export/DrillCycle.h"
#include "core/text/GcodeDialect.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"

#include <unordered_map>

namespace talmir::exporters {

namespace {

constexpr std::string_view kEol = "\r\n";
// The longest file name (in bytes of the file system's UTF-8) a folder holds.
constexpr std::size_t kMaxFileNameBytes = 255;

Failure treeBuildError() {
    return Failure::message(std::string(kTreeBuildError));
}

// The node whose G81 cycle runs after `line`, which went to `open`: a G81 line
// starts one there, G80 or a motion word ends it, any other line leaves it.
SectionNode* cycleAfter(std::string_view line, SectionNode* open, SectionNode* cycle) {
    if (hasG81Word(line)) {
        return open;
    }
    return endsDrillCycle(line) ? nullptr : cycle;
}

}  // namespace

bool isDataLine(std::string_view line) {
    // Positions are 0-based here: "G" at 0, "X" at 3, "Y" at 5 or later.
    return line.find('G') == 0 && line.find('X') == 3 && line.find('Y') != std::string_view::npos &&
           line.find('Y') >= 5;
}

bool isSafeNodeName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = text::charLength(name, pos);
        if (length == 1) {
            const auto c = static_cast<unsigned char>(name[pos]);
            if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) {
                return false;
            }
        }
        pos += length;
    }
    return nodeFileName(name).size() <= kMaxFileNameBytes;
}

std::string nodeFileName(std::string_view name) {
    return text::shiftJisToUtf8(name);
}

SectionSplit splitSections(std::string_view program) {
    SectionSplit split;
    std::unordered_map<std::string_view, std::size_t> index;
    SectionNode* open = nullptr;   // the node whose file the data lines go to
    SectionNode* cycle = nullptr;  // the node of the G81 cycle that is running
    text::LineReader reader(program);
    // Motion lines of other programs ("g1 x1.5 y2", "G1 X5", a modal "Y10.") are data
    // lines as well as this program's own; a G81 line of another CAM system stays the
    // section line that opens its cycle.
    text::GcodeMotionReader motions;
    for (std::string_view line; reader.next(line);) {
        const int code = motions.read(line);
        const bool motion = code >= 0 && code <= 3;
        if (cycle != nullptr && isXyOnlyLine(line)) {
            // Another hole of the running cycle: it stays with its G81 line.
            cycle->data.append(line);
            cycle->data.append(kEol);
            continue;
        }
        if (isDataLine(line) || motion) {
            if (open == nullptr) {
                split.failure = treeBuildError();
                return split;
            }
            open->data.append(line);
            open->data.append(kEol);
            cycle = cycleAfter(line, open, cycle);
            continue;
        }
        if (const auto it = index.find(line); it != index.end()) {
            open = &split.nodes[it->second];
            cycle = cycleAfter(line, open, cycle);
            continue;
        }
        if (split.nodes.size() == kMaxSections || !isSafeNodeName(line)) {
            split.failure = treeBuildError();
            return split;
        }
        // The table holds at most kMaxSections nodes, so `open` stays valid.
        if (split.nodes.empty()) {
            split.nodes.reserve(kMaxSections);
        }
        index.emplace(line, split.nodes.size());
        split.nodes.push_back(SectionNode{std::string(line), {}});
        open = &split.nodes.back();
        cycle = cycleAfter(line, open, cycle);
    }
    return split;
}

void appendSection(std::string& out, std::string_view name, std::string_view nodeFile) {
    out.append(name);
    out.append(kEol);
    text::LineReader reader(nodeFile);
    for (std::string_view line; reader.next(line);) {
        out.append(line);
        out.append(kEol);
    }
}

}  // namespace talmir::exporters
