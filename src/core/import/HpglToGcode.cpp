#include "core/import/HpglToGcode.h"

#include "core/Pieces.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace talmir::importers {

namespace {

constexpr double kMmPerUnit = 0.025;  // 40 plotter units to the millimetre
constexpr double kPi = 3.14159265358979;
constexpr double kDegPerRad = 180 / kPi;

// Every coordinate and every I and J: at least one integer digit, one to six
// decimals, a minus sign only.
const text::NumberPicture kPicture("######0.0#####");

constexpr std::string_view kEol = "\r\n";
constexpr char kEsc = '\x1b';
constexpr char kEtx = '\x03';  // the end of a label's text

// Progress is reported once per this many commands.
constexpr std::size_t kProgressCommands = 4096;

[[noreturn]] void throwOverflow() {
    throw Failure{6, "オーバーフローしました。"};
}

// The value stored into single precision, as the pen position is held: a value
// beyond the float range is the overflow the window reports, so no "Infinity"
// ever reaches the program.
float toSingle(double value) {
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) {
        // Doubles just above FLT_MAX still round down to it; NaN never does.
        if (!std::isnan(value) && std::isfinite(static_cast<float>(value))) {
            return static_cast<float>(value);
        }
        throwOverflow();
    }
    return static_cast<float>(value);
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isLetter(char c) {
    return isUpper(c) || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// The characters a coordinate may start with.
bool isNumberStart(char c) {
    return isDigit(c) || c == '.' || c == '-' || c == '+';
}
// The bytes of a command's numbers.
bool isParameterByte(char c) {
    // "+", ",", "-", "." and the digits stand together from 0x2B to 0x39, but "/".
    return static_cast<unsigned char>(c - '+') <= '9' - '+' && c != '/';
}
// The first byte of a double-byte Shift-JIS character; its second byte is never
// taken for a separator or a command letter.
bool isLeadByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x81 && u <= 0x9f) || (u >= 0xe0 && u <= 0xfc);
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The number after the `commas`-th comma of `params` ("300,100,90": 0 gives 300,
// 2 gives 90); 0 when there are fewer commas.
double parameter(std::string_view params, int commas) {
    for (; commas > 0; --commas) {
        const std::size_t comma = params.find(',');
        if (comma == std::string_view::npos) {
            return 0;
        }
        params.remove_prefix(comma + 1);
    }
    return text::quickNumericValue(params);
}

// What the bytes being read belong to.
enum class Mode {
    Command,  // a command and its parameters
    Label,    // the text of LB, BL or WD, up to its end-of-text byte
    Comment,  // the data of PE, or the text of CO given without quotes
    Quoted,   // a quoted string
};

class HpglConverter {
public:
    // "PD3115,9178;" (12 bytes) gives "G01X77.875Y229.45" and CR LF (19 bytes);
    // a circle gives three lines. Pages of the reserve that stay unused are never
    // touched.
    HpglConverter(InputBytes& input, PieceSink* sink, const HpglOptions& options)
        : m_input(input),
          m_text(input.bytes()),
          m_options(options),
          m_pieces(sink, m_text.size() * 3 + 4096),
          m_out(m_pieces.text()) {}

    // The length of the program.
    std::uint64_t run() {
        split();
        // Rapid moves after the last cut are not written: the program ends where
        // the last cut or pen selection left it.
        m_out += "M30";
        m_out += kEol;
        return m_pieces.finish();
    }

    std::string program() && { return std::move(m_pieces).release(); }

private:
    // Cuts the stream into commands, one at a time. ESC is read as the letter "E"
    // and starts a device-control sequence ("ESC.I81;;17:" gives "E.I81" and
    // "17"). CR, LF and blanks are dropped, except that a blank between two
    // numbers stands for a comma ("PD 400 0" is "PD400,0").
    void split() {
        const char* const data = m_text.data();
        const std::size_t size = m_text.size();
        Mode mode = Mode::Command;
        bool blank = false;  // a blank was dropped since the last byte kept
        for (std::size_t i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == 'P' && m_command.empty() && mode == Mode::Command) {
                // Nearly every command: "PD3115,9178,3120,9200;" read where it
                // lies, as the bytes below would read it.
                if (const std::size_t end = penCommandEnd(i); end != 0) {
                    penCommand(std::string_view(data + i, end - i));
                    commandDone();
                    blank = false;
                    m_input.readTo(end + 1);
                    i = end;
                    continue;
                }
            }
            if (isParameterByte(c) && mode == Mode::Command && !blank && m_command.size() > 2) {
                // The numbers of a command go in as one run: no test below turns on
                // them once the mnemonic is read.
                std::size_t end = i + 1;
                while (end < size && isParameterByte(data[end])) {
                    ++end;
                }
                m_command.append(data + i, end - i);
                i = end - 1;
                continue;
            }
            if (c == ';' || c == ':') {
                endCommand(mode, blank);
                m_input.readTo(i + 1);
                continue;
            }
            if (c == '\r' || c == '\n') {
                continue;
            }
            if (c == ' ') {
                blank = true;
                continue;
            }
            if (c == kEsc) {
                endCommand(mode, blank);
                m_input.readTo(i);
                m_command += 'E';
                continue;
            }
            if (mode == Mode::Label) {
                // The text leaves no trace; only its end matters.
                if (c == kEtx) {
                    endCommand(mode, blank);
                    m_input.readTo(i + 1);
                }
                continue;
            }
            if (mode == Mode::Comment) {
                continue;
            }
            if (mode == Mode::Quoted) {
                m_command += c;
                mode = c == '"' ? Mode::Command : mode;
                continue;
            }
            if (isLeadByte(c) && i + 1 < size) {
                m_command += c;
                m_command += data[++i];
                blank = false;
                continue;
            }
            if (c != '"' && m_command.size() == 2 && m_command[0] == 'C' && m_command[1] == 'O') {
                // A comment without quotes runs to the next separator.
                mode = Mode::Comment;
                continue;
            }
            if (isUpper(c) && i + 1 < size && isUpper(data[i + 1]) && commandComplete()) {
                // "PAPU6545,6440PRPD-95,90": a new command where no ";" was written.
                endCommand(mode, blank);
                m_input.readTo(i);
            } else if (blank && isNumberStart(c) && !m_command.empty() &&
                       (isDigit(m_command.back()) || m_command.back() == '.')) {
                m_command += ',';
            }
            blank = false;
            m_command += c;
            if (c == '"') {
                mode = Mode::Quoted;
            } else if (m_command.size() == 2) {
                mode = textMode(m_command);
            }
        }
        endCommand(mode, blank);
    }

    // The offset of the ";" after a pen command of only numbers that starts at
    // `start` ("PU", "PD", "PA" or "PR"); 0 for anything else.
    std::size_t penCommandEnd(std::size_t start) const {
        const char* const data = m_text.data();
        const std::size_t size = m_text.size();
        if (start + 2 >= size) {
            return 0;
        }
        const char second = data[start + 1];
        if (second != 'U' && second != 'D' && second != 'A' && second != 'R') {
            return 0;
        }
        std::size_t end = start + 2;
        while (end < size && isParameterByte(data[end])) {
            ++end;
        }
        return end < size && data[end] == ';' ? end : 0;
    }

    // Commands whose data is text, not numbers. LB (label), BL (buffer label) and
    // WD (write to display) run to the end-of-text byte; PE (encoded polyline)
    // packs its numbers into printable characters, capitals included, up to ";".
    static Mode textMode(std::string_view mnemonic) {
        if (mnemonic == "LB" || mnemonic == "BL" || mnemonic == "WD") {
            return Mode::Label;
        }
        return mnemonic == "PE" ? Mode::Comment : Mode::Command;
    }

    // True when the next two capital letters start a command of their own: after
    // a parameter, or after a command of two letters without any.
    bool commandComplete() const {
        if (m_command.empty()) {
            return false;
        }
        if (!isLetter(m_command.back())) {
            return true;
        }
        return m_command.size() == 2 && isUpper(m_command[0]) && isUpper(m_command[1]);
    }

    void endCommand(Mode& mode, bool& blank) {
        if (!m_command.empty()) {
            translate(m_command);
            m_command.clear();
            commandDone();
        }
        mode = Mode::Command;
        blank = false;
    }

    void commandDone() {
        m_pieces.handOverWhenFull();
        if (m_options.progress && (++m_commands % kProgressCommands) == 0) {
            m_options.progress();
        }
    }

    // One command, in this order of tests. Label and comment text is never read
    // as a command, whatever letters it holds.
    void translate(std::string_view command) {
        if (command.starts_with("LB") || command.starts_with("CO")) {
            return;
        }
        if (contains(command, "SP")) {
            // A pen selection stays in the program as it was written ("SP1").
            writeLine(command);
        } else if (command.starts_with("AA")) {
            arcAbsolute(command.substr(2));
        } else if (command.starts_with("AR")) {
            arcRelative(command.substr(2));
        } else if (command.starts_with("CI")) {
            circle(command.substr(2));
        } else if (contains(command, "PU") || contains(command, "PD") || contains(command, "PA") ||
                   contains(command, "PR")) {
            penCommand(command);
        }
    }

    static float scaled(double units) { return toSingle(units * kMmPerUnit); }

    // "AA300,100,90": the centre in plotter units, the sweep in degrees
    // (counter-clockwise when positive); the chord tolerance is not used.
    void arcAbsolute(std::string_view params) {
        const float cx = scaled(parameter(params, 0));
        const float cy = scaled(parameter(params, 1));
        const float sweepDeg = toSingle(parameter(params, 2));
        const float i = toSingle(static_cast<double>(cx) - m_x);
        const float j = toSingle(static_cast<double>(cy) - m_y);
        arc(cx, cy, i, j, sweepDeg);
    }

    // "AR200,0,90": the centre relative to the pen.
    void arcRelative(std::string_view params) {
        const float i = scaled(parameter(params, 0));
        const float j = scaled(parameter(params, 1));
        const float sweepDeg = toSingle(parameter(params, 2));
        const float cx = toSingle(static_cast<double>(m_x) + i);
        const float cy = toSingle(static_cast<double>(m_y) + j);
        arc(cx, cy, i, j, sweepDeg);
    }

    // The arc from the pen around (cx, cy); (i, j) is the centre seen from the
    // pen. Afterwards the pen is at the arc's end and counts as down.
    void arc(float cx, float cy, float i, float j, float sweepDeg) {
        m_pen = PenWord::Down;
        if (sweepDeg == 0 || (i == 0 && j == 0)) {
            // No sweep or no radius: the arc is a point, and a G02/G03 that ends
            // where it starts would cut a full circle. A cut on the spot instead.
            writeMove(false, m_x, m_y);
            return;
        }
        const double id = i;
        const double jd = j;
        const float r = toSingle(std::sqrt(id * id + jd * jd));
        // Direction of (i, j) in degrees, 0 to 360.
        float d = i != 0 ? toSingle(std::fabs(std::atan(jd / id)) * kDegPerRad) : 90.0f;
        if (i >= 0 && j < 0) {
            d = toSingle(360.0 - d);
        } else if (i < 0 && j < 0) {
            d = toSingle(static_cast<double>(d) + 180.0);
        } else if (i < 0) {
            d = toSingle(180.0 - d);
        }
        const double endRad = (static_cast<double>(sweepDeg) + d) * kPi / 180;
        const float ex = toSingle(cx - r * std::cos(endRad));
        const float ey = toSingle(cy - r * std::sin(endRad));
        release();
        m_out += sweepDeg >= 0 ? "G03X" : "G02X";
        kPicture.append(m_out, ex);
        m_out += 'Y';
        kPicture.append(m_out, ey);
        m_out += 'I';
        kPicture.append(m_out, i);
        m_out += 'J';
        kPicture.append(m_out, j);
        m_out += kEol;
        m_x = ex;
        m_y = ey;
    }

    // "CI50": a full circle around the pen, cut clockwise from its rightmost
    // point (leftmost for a negative radius); the tool then goes back to the
    // centre, and the pen stays there in the state it was.
    void circle(std::string_view params) {
        const float r = scaled(parameter(params, 0));
        const float startX = toSingle(static_cast<double>(m_x) + r);
        writeMove(true, startX, m_y);
        release();
        m_out += "G02X";
        kPicture.append(m_out, startX);
        m_out += 'Y';
        kPicture.append(m_out, m_y);
        // I is the centre seen from the start point: -r.
        if (r < 0) {
            m_out += 'I';
            kPicture.append(m_out, -r);
        } else {
            m_out += "I-";
            kPicture.append(m_out, r);
        }
        m_out += "J0";
        m_out += kEol;
        writeMove(true, m_x, m_y);
    }

    // "PU", "PD", "PA", "PR" and number pairs, as often as they come:
    // "PAPU10,20" or "PD100,0,100,100" (two cuts). A number without its partner
    // is not a point and is passed over; text that is neither ends the command.
    void penCommand(std::string_view rest) {
        for (;;) {
            const std::size_t before = rest.size();
            if (rest.starts_with('P')) {
                if (rest.starts_with("PU")) {
                    m_pen = PenWord::Up;
                    rest.remove_prefix(2);
                }
                if (rest.starts_with("PD")) {
                    m_pen = PenWord::Down;
                    rest.remove_prefix(2);
                }
                if (rest.starts_with("PA")) {
                    m_relative = false;
                    rest.remove_prefix(2);
                }
                if (rest.starts_with("PR")) {
                    m_relative = true;
                    rest.remove_prefix(2);
                }
                if (rest.empty()) {
                    return;
                }
            }
            if (isNumberStart(rest.front())) {
                const std::size_t xEnd = commaIn(rest);
                if (xEnd == std::string_view::npos) {
                    return;
                }
                const float x = coordinate(rest, m_x);
                rest.remove_prefix(xEnd + 1);
                const float y = coordinate(rest, m_y);
                writeMove(m_pen == PenWord::Up, x, y);
                m_x = x;
                m_y = y;
                const std::size_t yEnd = commaIn(rest);
                if (yEnd == std::string_view::npos) {
                    return;
                }
                rest.remove_prefix(yEnd + 1);
            }
            if (rest.size() == before || rest.empty()) {
                // Another command or a label: nothing more of this one is read.
                return;
            }
        }
    }

    // The first comma of a pen command's numbers, a few bytes on.
    static std::size_t commaIn(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ',') {
                return i;
            }
        }
        return std::string_view::npos;
    }

    // The leading number of `text` in millimetres, added to `last` when relative.
    float coordinate(std::string_view text, float last) const {
        double units = 0;
        if (!text::plainDecimal(text, units)) {
            units = text::numericValue(text);
        }
        const double mm = units * kMmPerUnit;
        return toSingle(m_relative ? mm + last : mm);
    }

    // Runs of rapid moves: only the last one of a run is kept, and it is written
    // just before the next line of another kind. `rapid` moves wait in m_held.
    void writeMove(bool rapid, float x, float y) {
        std::string& to = target(rapid);
        // The line is built in a buffer of its own and handed over at once.
        char line[4 + 1 + 2 * text::NumberPicture::kShortText + kEol.size()];
        std::memcpy(line, rapid ? "G00X" : "G01X", 4);
        char* p = kPicture.writeShort(line + 4, x);
        if (p != nullptr) {
            *p++ = 'Y';
            p = kPicture.writeShort(p, y);
        }
        if (p != nullptr) {
            p = std::copy(kEol.begin(), kEol.end(), p);
            to.append(line, static_cast<std::size_t>(p - line));
            return;
        }
        // A coordinate too large for the short form.
        to += rapid ? "G00X" : "G01X";
        kPicture.append(to, x);
        to += 'Y';
        kPicture.append(to, y);
        to += kEol;
    }

    void writeLine(std::string_view line) {
        std::string& to = target(line.starts_with("G00"));
        to += line;
        to += kEol;
    }

    std::string& target(bool rapid) {
        if (rapid) {
            m_held.clear();
            m_hasHeld = true;
            return m_held;
        }
        release();
        return m_out;
    }

    void release() {
        if (m_hasHeld) {
            m_out += m_held;
            m_hasHeld = false;
        }
    }

    enum class PenWord { Up, Down };  // G00 and G01

    InputBytes& m_input;
    std::string_view m_text;
    const HpglOptions& m_options;
    PieceBuffer m_pieces;
    std::string& m_out;     // the text of m_pieces
    std::string m_command;  // the command being cut from the stream
    std::string m_held;     // the last rapid move of the current run
    bool m_hasHeld = false;
    std::size_t m_commands = 0;

    // Pen position in millimetres, held in single precision as the program
    // shows it.
    float m_x = 0;
    float m_y = 0;
    PenWord m_pen = PenWord::Up;
    bool m_relative = false;
};

}  // namespace

Result<std::string> hpglToGcode(std::string_view hpglBytes, const HpglOptions& options) {
    InputBytes input(hpglBytes);
    return guardReading(input, [&] {
        HpglConverter converter(input, nullptr, options);
        converter.run();
        return std::move(converter).program();
    });
}

Result<std::uint64_t> hpglToGcode(InputBytes& input, PieceSink& sink, const HpglOptions& options) {
    return guardReading(input, [&] { return HpglConverter(input, &sink, options).run(); });
}

}  // namespace talmir::importers
