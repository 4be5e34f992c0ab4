#include "core/text/GcodeDialect.h"

#include <algorithm>
#include <cstring>

namespace talmir::text {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isNumberChar(char c) {
    return isDigit(c) || c == '.' || c == '-' || c == '+';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isLetter(char c) {
    const char u = upper(c);
    return u >= 'A' && u <= 'Z';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

// The code of this program's own motion word at the start of `field` ("G01X1.0"
// gives 1, "G81X5.Y5." 81), or -1.
int ownMotionWord(std::string_view field) {
    if (field.size() < 3 || field[0] != 'G') {
        return -1;
    }
    // This program writes no blank after the word ("G01 F600." is another's).
    if (field.size() > 3 &&
        (isDigit(field[3]) || field[3] == '.' || field[3] == ' ' || field[3] == '\t')) {
        return -1;
    }
    if (field[1] == '0' && field[2] >= '0' && field[2] <= '3') {
        return field[2] - '0';
    }
    return field[1] == '8' && field[2] == '1' ? 81 : -1;
}

// The value of a G word's number when it is a whole number of up to three digits
// ("1", "01", "81"), else -1 ("91.1", "", "+1").
int gCode(std::string_view number) {
    if (number.empty() || number.size() > 3) {
        return -1;
    }
    int code = 0;
    for (const char c : number) {
        if (!isDigit(c)) {
            return -1;
        }
        code = code * 10 + (c - '0');
    }
    return code;
}

bool isMotionCode(int code) {
    return (code >= 0 && code <= 3) || code == 81;
}

// A letter is a word only with a digit after it ("XJ8." holds no X).
bool holdsDigit(std::string_view number) {
    return std::any_of(number.begin(), number.end(), isDigit);
}

}  // namespace

// Words of the field: a letter in either case and the number characters right
// after it; blanks between words, comments in parentheses and everything after
// ";" are passed over. False for a field holding anything else ("#100=10.0",
// "%", "X[#1+2]", Shift-JIS text outside a comment).
bool GcodeMotionReader::readWords(std::string_view field) {
    m_words.clear();
    for (std::size_t pos = 0; pos < field.size();) {
        const char c = field[pos];
        if (c == ' ' || c == '\t') {
            ++pos;
        } else if (c == '(') {
            // A trail byte is never ')', so the comment's end is found by bytes.
            const std::size_t close = field.find(')', pos);
            pos = close == std::string_view::npos ? field.size() : close + 1;
        } else if (c == ';') {
            break;
        } else if (isLetter(c)) {
            // Blanks may stand between a letter and its number ("G3 I -20").
            std::size_t start = pos + 1;
            while (start < field.size() && (field[start] == ' ' || field[start] == '\t')) {
                ++start;
            }
            if (start == field.size() || !isNumberChar(field[start])) {
                start = pos + 1;
            }
            std::size_t end = start;
            while (end < field.size() && isNumberChar(field[end])) {
                ++end;
            }
            m_words.push_back({upper(c), field.substr(start, end - start)});
            pos = end;
        } else {
            return false;
        }
    }
    return true;
}

bool GcodeMotionReader::coordinatesOnly() const {
    bool axis = false;
    for (const Word& w : m_words) {
        const std::string_view letters = "XYZIJKRFN";
        if (letters.find(w.letter) == std::string_view::npos) {
            return false;
        }
        if (!holdsDigit(w.number)) {
            return false;
        }
        axis = axis || std::string_view("XYZIJ").find(w.letter) != std::string_view::npos;
    }
    return axis;
}

// Coordinates are modal: a field without X or Y is written with the last one, so
// that readers which take a missing word as 0 see where the tool is.
void GcodeMotionReader::writeOwn(int code, std::string& own) const {
    own.clear();
    own += 'G';
    own += code == 81 ? "81" : "0";
    if (code != 81) {
        own += static_cast<char>('0' + code);
    }
    const bool flatArc = !m_xyPlane && (code == 2 || code == 3);
    if (flatArc) {
        own[2] = '1';
    }
    for (const char axis : {'X', 'Y'}) {
        const auto given = std::find_if(m_words.begin(), m_words.end(), [&](const Word& w) {
            return w.letter == axis && holdsDigit(w.number);
        });
        const std::string_view number = given != m_words.end() ? given->number
                                        : axis == 'X'          ? m_lastX
                                                               : m_lastY;
        if (!number.empty()) {
            own += axis;
            own.append(number);
        }
    }
    for (const Word& w : m_words) {
        const bool centre =
            w.letter == 'I' || w.letter == 'J' || w.letter == 'K' || w.letter == 'R';
        const bool skip = w.letter == 'G' || w.letter == 'N' || w.letter == 'X' ||
                          w.letter == 'Y' || !holdsDigit(w.number);
        if (!skip && !(flatArc && centre)) {
            own += w.letter;
            own.append(w.number);
        }
    }
    // The field's plane word goes last, where no reader takes it for the motion
    // word, so that the rewritten text read again is in the same plane.
    const auto plane = std::find_if(m_words.rbegin(), m_words.rend(), [](const Word& w) {
        return w.letter == 'G' && (w.number == "17" || w.number == "18" || w.number == "19");
    });
    if (plane != m_words.rend()) {
        own += 'G';
        own.append(plane->number);
    }
}

namespace {

// The number text after the first `letter` of a field of this program's own form.
std::string_view ownWordNumber(std::string_view field, char letter) {
    const std::size_t at = field.find(letter);
    if (at == std::string_view::npos) {
        return {};
    }
    std::size_t end = at + 1;
    while (end < field.size() && isNumberChar(field[end])) {
        ++end;
    }
    return field.substr(at + 1, end - at - 1);
}

}  // namespace

void GcodeMotionReader::rememberPosition(std::string_view x, std::string_view y, bool own) {
    m_movesInXy = own || !x.empty() || !y.empty();
    if (!x.empty()) {
        m_lastX = x;
    }
    if (!y.empty()) {
        m_lastY = y;
    }
}

void GcodeMotionReader::rememberWords() {
    std::string_view x;
    std::string_view y;
    for (const Word& w : m_words) {
        if (!holdsDigit(w.number)) {
            continue;
        }
        if (w.letter == 'X' && x.empty()) {
            x = w.number;
        } else if (w.letter == 'Y' && y.empty()) {
            y = w.number;
        }
    }
    rememberPosition(x, y, false);
}

int GcodeMotionReader::read(std::string_view field, std::string* own) {
    if (own != nullptr) {
        own->clear();
    }
    field = trimBlanks(field);
    // A field of the own form holds one G word; one with a plane word after it is
    // read word by word, so that the plane takes effect.
    if (const int code = ownMotionWord(field);
        code >= 0 && (m_xyPlane || code == 0 || code == 1 || code == 81) &&
        field.find('G', 3) == std::string_view::npos) {
        m_modal = code;
        rememberPosition(ownWordNumber(field, 'X'), ownWordNumber(field, 'Y'), true);
        return code;
    }
    if (!readWords(field) || m_words.empty()) {
        return -1;
    }
    for (const Word& w : m_words) {
        if (w.letter == 'G' && (w.number == "17" || w.number == "18" || w.number == "19")) {
            m_xyPlane = w.number == "17";
        }
    }
    bool anyG = false;
    for (const Word& w : m_words) {
        if (w.letter != 'G') {
            continue;
        }
        anyG = true;
        const int code = gCode(w.number);
        if (isMotionCode(code)) {
            m_modal = code;
            if (own != nullptr) {
                writeOwn(code, *own);
            }
            rememberWords();
            return code;
        }
        if (code == 80) {
            m_modal = -1;
        }
    }
    if (anyG || m_modal < 0 || !coordinatesOnly()) {
        return -1;
    }
    if (own != nullptr) {
        writeOwn(m_modal, *own);
    }
    rememberWords();
    return m_modal;
}

std::optional<std::string> ownGcode(std::string_view gcode, StillMoves still) {
    std::optional<std::string> out;
    std::size_t copied = 0;  // bytes of `gcode` before this offset are in `out`
    GcodeMotionReader reader;
    std::string own;
    // Rewrites one field; true when it was a move without X or Y that is left out.
    auto field = [&](std::size_t start, std::size_t end) {
        const std::string_view piece = gcode.substr(start, end - start);
        const int code = reader.read(piece, &own);
        if (code < 0 || own.empty()) {
            return false;
        }
        const bool drop =
            still == StillMoves::LeaveOut && !reader.movesInXy() && own.compare(0, 3, "G01") == 0;
        if (drop) {
            own.clear();
        }
        if (!out) {
            out.emplace();
            out->reserve(gcode.size() + gcode.size() / 4);
        }
        out->append(gcode, copied, start - copied);
        out->append(own);
        copied = end;
        return drop;
    };
    // Lines end at LF, CR LF or a lone CR; memchr keeps the pass over a program of
    // this program's own (nothing to rewrite) close to the speed of reading it.
    const char* data = gcode.data();
    const std::size_t size = gcode.size();
    auto find = [data](std::size_t from, std::size_t to, char c) {
        const void* hit = std::memchr(data + from, c, to - from);
        return hit == nullptr ? to : static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    };
    // The next LF and the next CR, each looked for again only once passed, so that
    // a text of CR line ends alone is still crossed once.
    std::size_t nextLf = 0;
    std::size_t nextCr = 0;
    for (std::size_t lineStart = 0; lineStart < size;) {
        if (nextLf < lineStart || lineStart == 0) {
            nextLf = find(lineStart, size, '\n');
        }
        if (nextCr < lineStart || lineStart == 0) {
            nextCr = find(lineStart, size, '\r');
        }
        const std::size_t lineEnd = std::min(nextLf, nextCr);
        if (find(lineStart, lineEnd, '"') == lineEnd) {
            std::size_t start = lineStart;
            for (std::size_t at = find(start, lineEnd, ','); at < lineEnd;
                 at = find(start, lineEnd, ',')) {
                // A field left out goes with its comma.
                if (field(start, at)) {
                    copied = at + 1;
                }
                start = at + 1;
            }
            // A line that was only a move left out goes with its line end.
            if (field(start, lineEnd) && start == lineStart && lineEnd < size) {
                const bool crLf =
                    gcode[lineEnd] == '\r' && lineEnd + 1 < size && gcode[lineEnd + 1] == '\n';
                copied = lineEnd + (crLf ? 2 : 1);
            }
        }
        lineStart = lineEnd + 1;
    }
    if (out) {
        out->append(gcode, copied);
    }
    return out;
}

}  // namespace talmir::text
