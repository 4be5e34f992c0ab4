#include "core/editor/ProgramCheck.h"

#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <algorithm>
#include <cmath>

namespace talmir::editor {

namespace {

struct Word {
    char letter = 0;
    double value = 0;
};

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string shown(double value) {
    return text::formatPicture(value, "0.0###");
}

// The line without comments and blanks.
std::string blockText(std::string_view line) {
    std::string out;
    int depth = 0;
    for (const char c : line) {
        if (c == ';' && depth == 0) {
            break;
        }
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (depth == 0 && c != ' ' && c != '\t') {
            out += c;
        }
    }
    return out;
}

// The length of the number at the start of `text`: a sign, digits, one point.
std::size_t numberLength(std::string_view text) {
    std::size_t k = 0;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
        ++k;
    }
    bool digits = false;
    while (k < text.size() && isDigit(text[k])) {
        ++k;
        digits = true;
    }
    if (k < text.size() && text[k] == '.') {
        ++k;
        while (k < text.size() && isDigit(text[k])) {
            ++k;
            digits = true;
        }
    }
    return digits ? k : 0;
}

bool knownG(double value) {
    static constexpr int kKnown[] = {
        0,  1,  2,  3,  4,  5,  7,  8,  9,  10, 15, 16, 17, 18, 19, 20, 21, 28, 30, 33, 38, 40, 41,
        42, 43, 44, 49, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 64, 65, 66, 67, 68, 69, 70, 71,
        73, 74, 76, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99};
    if (!(value >= 0 && value < 1000)) {
        return false;  // no controller has such a G code (and no int holds some)
    }
    // The decimal forms of the controllers: G90.1, G91.1, G54.1, G61.1, G43.1.
    const double whole = std::floor(value);
    if (value != whole && std::fabs(value - whole - 0.1) > 1e-9) {
        return false;
    }
    value = whole;
    return std::find(std::begin(kKnown), std::end(kKnown), static_cast<int>(value)) !=
           std::end(kKnown);
}

struct Hole {
    double x = 0;
    double y = 0;
    double diameter = 0;
    std::size_t line = 0;
};

class Checker {
public:
    explicit Checker(const CheckOptions& options) : m_options(options) {
        if (options.holeDiameter) {
            m_diameter = *options.holeDiameter;
        }
    }

    void line(std::string_view text, std::size_t number) {
        m_line = number;
        const std::string block = blockText(text);
        // A section line, not a block of words; or a line of a program number or
        // subprogram word ("O100", "o100 sub").
        if (block.empty() || !isLetter(block[0]) || block.size() < 2 ||
            numberLength(std::string_view(block).substr(1)) == 0 || upper(block[0]) == 'O') {
            return;
        }
        // Variables and expressions ("#1=2", "X[#1+2]") are worked out by the
        // controller: where such a line moves to is not known here.
        if (block.find_first_of("#[") != std::string::npos) {
            m_known = false;
            // A feed given by a variable is a feed all the same.
            for (std::size_t k = 0; k + 1 < block.size(); ++k) {
                if (upper(block[k]) == 'F' && (block[k + 1] == '#' || block[k + 1] == '[')) {
                    m_feedSeen = true;
                }
            }
            return;
        }
        std::vector<Word> words;
        if (!readWords(block, words)) {
            return;
        }
        run(words);
    }

    std::vector<Finding> finish() {
        if (m_unfedMoves > 1) {
            m_findings[m_unfedFinding].text +=
                " (ほか " + std::to_string(m_unfedMoves - 1) + " 行)";
        }
        closeHoles();
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return std::move(m_findings);
    }

private:
    void report(std::string text) { m_findings.push_back({m_line, std::move(text)}); }

    bool readWords(std::string_view block, std::vector<Word>& words) {
        for (std::size_t k = 0; k < block.size();) {
            const char letter = block[k];
            if (!isLetter(letter)) {
                std::string rest;
                for (const char c : block.substr(k, 12)) {
                    rest += static_cast<unsigned char>(c) < 0x80 ? c : '?';
                }
                report("読めない文字があります: " + rest);
                return false;
            }
            const std::size_t length = numberLength(block.substr(k + 1));
            if (length == 0) {
                report(std::string("数値のないワードです: ") + letter);
                return false;
            }
            const double value = text::numericValue(block.substr(k + 1, length));
            words.push_back({upper(letter), value});
            if (upper(letter) == 'G' && !knownG(value)) {
                report("不明なワードです: " + std::string(block.substr(k, length + 1)));
            }
            k += 1 + length;
        }
        return true;
    }

    void run(const std::vector<Word>& words) {
        std::optional<double> x;
        std::optional<double> y;
        std::optional<double> i;
        std::optional<double> j;
        std::optional<double> r;
        std::optional<double> c;
        bool tool = false;
        for (const Word& word : words) {
            switch (word.letter) {
                case 'G':
                    motionWord(word.value);
                    break;
                case 'F':
                    m_feedSeen = m_feedSeen || word.value > 0;
                    break;
                case 'X':
                    x = word.value;
                    break;
                case 'Y':
                    y = word.value;
                    break;
                case 'I':
                    i = word.value;
                    break;
                case 'J':
                    j = word.value;
                    break;
                case 'R':
                    r = word.value;
                    break;
                case 'C':
                    c = word.value;
                    break;
                case 'T':
                    tool = true;
                    break;
                default:
                    break;
            }
        }
        // "T1C0.8": the tool of the holes that follow, with its diameter.
        if (tool && c && !m_options.holeDiameter) {
            m_diameter = *c;
        }
        if ((!x && !y) || m_motion < 0) {
            return;
        }
        const double tx = x ? (m_absolute ? *x : m_x + *x) : m_x;
        const double ty = y ? (m_absolute ? *y : m_y + *y) : m_y;
        // After a move to a place worked out by the controller, the position is
        // known again once both axes are given absolutely.
        const bool known = m_known || (m_absolute && x && y);
        if (m_options.area) {
            const auto& a = *m_options.area;
            if (tx < a[0] || tx > a[2] || ty < a[1] || ty > a[3]) {
                report("作業範囲外への移動です: X" + shown(tx) + " Y" + shown(ty));
            }
        }
        // Once, with the number of the cutting moves like it.
        if (m_motion >= 1 && m_motion <= 3 && !m_feedSeen) {
            if (m_unfedMoves++ == 0) {
                m_unfedFinding = m_findings.size();
                report("送り速度(F)の指定より前の切削移動です");
            }
        }
        // Arcs in the XZ and YZ planes (G18, G19) have no centre in X and Y.
        if ((m_motion == 2 || m_motion == 3) && m_plane == 17 && m_known) {
            arc(tx, ty, i.value_or(0), j.value_or(0), r);
        } else if (m_motion == 81) {
            if (m_diameter > 0 && known) {
                m_holes.push_back({tx, ty, m_diameter, m_line});
            }
        }
        m_x = tx;
        m_y = ty;
        m_known = known;
    }

    void motionWord(double g) {
        if (g == 0 || g == 1 || g == 2 || g == 3) {
            m_motion = static_cast<int>(g);
        } else if (g == 80) {
            m_motion = -1;
        } else if (g >= 81 && g <= 89) {
            m_motion = 81;
        } else if (g == 17 || g == 18 || g == 19) {
            m_plane = static_cast<int>(g);
        } else if (g == 90) {
            m_absolute = true;
        } else if (g == 91) {
            m_absolute = false;
        }
    }

    void arc(double tx, double ty, double i, double j, std::optional<double> r) {
        const bool closed = tx == m_x && ty == m_y;
        if (r) {
            const double half = std::hypot(tx - m_x, ty - m_y) / 2;
            if (closed || *r == 0) {
                report("長さのない円弧です");
            } else if (std::fabs(*r) + m_options.arcTolerance < half) {
                report("円弧の半径 R" + shown(*r) + " が始点と終点の間隔の半分 " + shown(half) +
                       " より小さい");
            }
            return;
        }
        const double start = std::hypot(i, j);
        if (start == 0) {
            report("長さのない円弧です");
            return;
        }
        const double end = std::hypot(tx - (m_x + i), ty - (m_y + j));
        if (std::fabs(end - start) > m_options.arcTolerance) {
            report("円弧の終点が円上にありません: 始点の半径 " + shown(start) + " 終点の半径 " +
                   shown(end));
        }
    }

    // Holes closer than their diameters (the mean of two), found along X.
    void closeHoles() {
        std::sort(m_holes.begin(), m_holes.end(),
                  [](const Hole& a, const Hole& b) { return a.x < b.x; });
        double widest = 0;
        for (const Hole& hole : m_holes) {
            widest = std::max(widest, hole.diameter);
        }
        for (std::size_t a = 0; a < m_holes.size(); ++a) {
            for (std::size_t b = a + 1; b < m_holes.size() && m_holes[b].x - m_holes[a].x < widest;
                 ++b) {
                const Hole& first = m_holes[a].line < m_holes[b].line ? m_holes[a] : m_holes[b];
                const Hole& second = m_holes[a].line < m_holes[b].line ? m_holes[b] : m_holes[a];
                const double apart = std::hypot(second.x - first.x, second.y - first.y);
                if (apart < (first.diameter + second.diameter) / 2) {
                    m_line = second.line;
                    report("穴の間隔 " + shown(apart) +
                           " が径より小さい: " + std::to_string(first.line) + " 行目の穴");
                }
            }
        }
    }

    const CheckOptions& m_options;
    std::vector<Finding> m_findings;
    std::vector<Hole> m_holes;
    std::size_t m_line = 0;
    double m_x = 0;
    double m_y = 0;
    double m_diameter = 0;
    int m_motion = -1;
    bool m_absolute = true;
    bool m_feedSeen = false;
    bool m_known = true;  // m_x, m_y are where the machine is
    int m_plane = 17;
    long long m_unfedMoves = 0;  // cutting moves before the first feed
    std::size_t m_unfedFinding = 0;
};

}  // namespace

std::vector<Finding> checkProgram(std::string_view gcode, const CheckOptions& options) {
    Checker checker(options);
    text::LineReader lines(gcode);
    std::size_t number = 1;
    for (std::string_view line; lines.next(line); ++number) {
        checker.line(line, number);
    }
    return checker.finish();
}

std::string findingsText(const std::vector<Finding>& findings) {
    std::string out;
    for (const Finding& finding : findings) {
        out += std::to_string(finding.line) + ": " + finding.text + "\n";
    }
    return out;
}

}  // namespace talmir::editor
