#include "core/export/DrillCycle.h"

#include <cstddef>

namespace talmir::exporters {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Calls `seen(number)` for every G word outside comments ("G0", "G81"; "G81.1" and
// "G" without digits are not cycle or motion words and give -1); stops early when
// `seen` returns true.
template <class Seen>
bool anyGWord(std::string_view line, Seen seen) {
    for (std::size_t pos = 0; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == ';') {
            return false;
        }
        if (c == '(') {
            const std::size_t close = line.find(')', pos);
            if (close == std::string_view::npos) {
                return false;
            }
            pos = close;
            continue;
        }
        if (c != 'G') {
            continue;
        }
        int number = 0;
        std::size_t end = pos + 1;
        while (end < line.size() && isDigit(line[end]) && end - pos <= 3) {
            number = number * 10 + (line[end] - '0');
            ++end;
        }
        const bool whole = end > pos + 1 && (end == line.size() || line[end] != '.') &&
                           (end == line.size() || !isDigit(line[end]));
        if (seen(whole ? number : -1)) {
            return true;
        }
        pos = end - 1;
    }
    return false;
}

}  // namespace

bool hasG81Word(std::string_view line) {
    return anyGWord(line, [](int number) { return number == 81; });
}

bool endsDrillCycle(std::string_view line) {
    return anyGWord(line, [](int number) {
        return (number >= 0 && number <= 3) || (number >= 80 && number <= 89 && number != 81);
    });
}

bool isXyOnlyLine(std::string_view line) {
    bool word = false;
    for (const char c : line) {
        if (c == 'X' || c == 'Y') {
            word = true;
        } else if (!(isDigit(c) || c == '.' || c == '-' || c == '+' || c == ' ' || c == '\t')) {
            return false;
        }
    }
    return word;
}

DrillCycleReader::DrillCycleReader(std::string_view sectionLine) {
    if (hasG81Word(sectionLine)) {
        m_inCycle = true;
        m_sectionHole = sectionLine.find_first_of("XY") != std::string_view::npos;
    }
}

bool DrillCycleReader::isHole(std::string_view line) {
    if (line.find("G81") != std::string_view::npos) {
        m_inCycle = true;
        return true;
    }
    if (m_inCycle && isXyOnlyLine(line)) {
        return true;
    }
    if (endsDrillCycle(line)) {
        m_inCycle = false;
    }
    return false;
}

bool isG81Section(std::string_view sectionLine, std::string_view nodeFile) {
    return hasG81Word(sectionLine) || nodeFile.find("G81") != std::string_view::npos;
}

}  // namespace talmir::exporters
