#include "core/export/GcodeSort.h"

#include "core/text/GcodeDialect.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"

#include <unordered_map>
#include <vector>

namespace talmir::exporters {

namespace {

constexpr std::string_view kEol = "\r\n";
constexpr int kNoSection = -1;  // before the first section line

// Whether the line holds "G00", "G01", "G02" or "G03" (a motion line), and
// whether one of them is "G00" (a rapid move). A word must start a character: in
// "(\x83G01)" the G is the second byte of a katakana, not a G word.
struct MotionWords {
    bool motion = false;
    bool rapid = false;
};

MotionWords motionWords(std::string_view line) {
    MotionWords words;
    const std::size_t size = line.size();
    for (std::size_t p = 0; p + 3 <= size;) {
        if (line[p] == 'G' && line[p + 1] == '0' && line[p + 2] >= '0' && line[p + 2] <= '3') {
            words.motion = true;
            if (line[p + 2] == '0') {
                words.rapid = true;
                break;
            }
        }
        p += text::isLeadByte(static_cast<unsigned char>(line[p])) ? 2 : 1;
    }
    return words;
}

struct Motion {
    std::string_view line;
    int section;
    bool rapid;
};

}  // namespace

Result<std::string> sortGcode(std::string_view gcode) {
    std::vector<std::string_view> sections;
    std::unordered_map<std::string_view, int> sectionIndex;
    std::vector<Motion> motions;

    // Lines are the items: a comma or a quote inside a comment or a ",R" corner
    // word stays part of its line.
    text::LineReader reader(gcode);
    int current = kNoSection;
    // Motion lines of other programs ("g1 x1.5 y2", "G1 X5", a modal "Y10.") count as
    // well; this program's own are read by their words as they always were.
    text::GcodeMotionReader others;
    for (std::string_view line; reader.next(line);) {
        MotionWords words = motionWords(line);
        const int code = others.read(line);
        if (!words.motion && code >= 0 && code <= 3) {
            words = {true, code == 0};
        }
        if (words.motion) {
            motions.push_back({line, current, words.rapid});
            continue;
        }
        auto [it, added] = sectionIndex.try_emplace(line, static_cast<int>(sections.size()));
        if (added) {
            sections.push_back(line);
        }
        current = it->second;
    }
    if (motions.empty()) {
        return Failure::message("変換可能なコマンドが、見つかりませんでした");
    }

    // Lines before the first section line have the empty owner text; an empty
    // section line, if there is one, takes them.
    const auto empty = sectionIndex.find(std::string_view());
    const int headless = empty != sectionIndex.end() ? empty->second : kNoSection;
    std::vector<std::vector<std::size_t>> bySection(sections.size() + 1);
    for (std::size_t k = 0; k < motions.size(); ++k) {
        if (motions[k].section == kNoSection) {
            motions[k].section = headless;
        }
        bySection[static_cast<std::size_t>(motions[k].section + 1)].push_back(k);
    }

    std::string out;
    out.reserve(gcode.size() + gcode.size() / 16 + 16);
    auto writeSection = [&](int s) {
        bool rapidWritten = false;
        for (std::size_t k : bySection[static_cast<std::size_t>(s + 1)]) {
            const Motion& m = motions[k];
            if (m.rapid) {
                // Repeated rapid moves collapse, but only when the repeat stands
                // right after its twin in the same section: dropping a rapid that
                // merely equals the last line of another section would make the
                // next cut start from the wrong place.
                if (rapidWritten && k > 0 && motions[k - 1].section == s &&
                    motions[k - 1].line == m.line) {
                    continue;
                }
                rapidWritten = true;
            }
            out += m.line;
            out += kEol;
        }
    };
    writeSection(kNoSection);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        out += sections[s];
        out += kEol;
        writeSection(static_cast<int>(s));
    }
    return out;
}

}  // namespace talmir::exporters
