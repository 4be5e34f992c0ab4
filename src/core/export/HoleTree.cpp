#include "core/export/HoleTree.h"

#include "core/export/SectionTree.h"
#include "core/text/Lines.h"

#include <unordered_map>

namespace talmir::exporters {

namespace {

Failure treeFailure() {
    return Failure::message(std::string(kTreeBuildError));
}

bool has(std::string_view line, char c) {
    return line.find(c) != std::string_view::npos;
}

// A node file name may not climb out of its folder either ("T..1").
bool isSafeToolCode(std::string_view code) {
    return isSafeNodeName(code) && code.find("..") == std::string_view::npos;
}

}  // namespace

Result<std::vector<HoleNode>> holeTree(std::string_view holes) {
    std::vector<HoleNode> nodes;
    std::unordered_map<std::string, std::size_t> numbers;
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t current = kNone;  // the node whose file is open for appending
    text::LineReader lines(holes);
    for (std::string_view line; lines.next(line);) {
        const std::size_t c = line.find('C');
        if (c != std::string_view::npos) {
            const std::string_view code = line.substr(0, c);
            if (!isSafeToolCode(code)) {
                return treeFailure();
            }
            const auto [found, added] = numbers.try_emplace(std::string(code), nodes.size());
            if (added) {
                nodes.push_back({std::string(code), {}, {}});
            }
            nodes[found->second].definition.assign(line.substr(c));
        } else if (has(line, 'T')) {
            const auto found = numbers.find(std::string(line));
            if (found == numbers.end()) {
                return treeFailure();
            }
            current = found->second;
        } else if (has(line, 'X') || has(line, 'Y')) {
            if (current == kNone) {
                return treeFailure();
            }
            nodes[current].lines.append(line);
            nodes[current].lines.append("\r\n");
        }
    }
    return nodes;
}

std::string holeText(const std::vector<HoleNode>& nodes) {
    std::size_t size = 0;
    for (const HoleNode& node : nodes) {
        size += 2 * node.code.size() + node.definition.size() + node.lines.size() + 4;
    }
    std::string out;
    out.reserve(size);
    for (const HoleNode& node : nodes) {
        if (has(node.definition, 'C')) {
            out.append(node.code);
        }
        out.append(node.definition);
        out.append("\r\n");
    }
    for (const HoleNode& node : nodes) {
        out.append(node.code);
        out.append("\r\n");
        out.append(node.lines);
    }
    return out;
}

}  // namespace talmir::exporters
