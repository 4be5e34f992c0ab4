#include "core/export/GcodeToGerber.h"

#include "core/export/ExportSink.h"
#include "core/export/ExportText.h"
#include "core/export/GerberRecords.h"
#include "core/text/GcodeDialect.h"
#include "core/text/NumericValue.h"

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace talmir::exporters {

namespace {

constexpr std::size_t kMaxApertures = 256;
constexpr int kFirstAperture = 10;

const text::NumberPicture kApertureNumber("######");

// A section line that names a D code above 9 ("D12") selects that code itself.
bool isApertureCode(std::string_view item, double& code) {
    if (item.empty() || item.front() != 'D') {
        return false;
    }
    code = text::numericValue(item.substr(1));
    return code > 9;
}

// The whole number of a D code, kept in range for absurd values ("D1E400").
long long wholeCode(double code) {
    return static_cast<long long>(std::min(code, 999999999.0));
}

// The aperture of every distinct section line, in order of first appearance.
class ApertureTable {
public:
    int select(std::string_view item) {
        auto found = m_numbers.find(item);
        if (found != m_numbers.end()) {
            return found->second;
        }
        if (m_numbers.size() >= kMaxApertures) {
            throw tableFullFailure();
        }
        const int number = kFirstAperture + static_cast<int>(m_numbers.size());
        m_numbers.emplace(item, number);
        return number;
    }

private:
    std::unordered_map<std::string_view, int> m_numbers;
};

// What the first pass learns: whether there is anything to convert, and for the
// RS-274X form the D codes that get selected.
struct Survey {
    bool anyRapid = false;
    bool motionBeforeAperture = false;
    std::set<long long> usedCodes;
};

Survey survey(std::string_view gcode, ApertureTable& apertures) {
    Survey result;
    bool selected = false;
    ItemReader items(gcode);
    for (std::string_view item; items.next(item);) {
        if (hasMotionCode(item)) {
            result.anyRapid = result.anyRapid || contains(item, "G00");
            result.motionBeforeAperture = result.motionBeforeAperture || !selected;
            continue;
        }
        selected = true;
        const int number = apertures.select(item);
        double code = 0;
        if (isApertureCode(item, code)) {
            result.usedCodes.insert(wholeCode(code));
        } else {
            result.usedCodes.insert(number);
        }
    }
    return result;
}

class GerberWriter {
public:
    GerberWriter(std::string& out, const GerberOptions& options)
        : m_out(out),
          m_form(gerberForm(options)),
          m_rs274x(options.rs274x),
          m_end(m_form.blockEnd) {}

    void header(const Survey& survey) {
        appendGerberFormat(m_out, m_form);
        std::set<long long> codes = survey.usedCodes;
        if (survey.motionBeforeAperture) {
            codes.insert(kFirstAperture);
        }
        for (long long code : codes) {
            m_out.append("%ADD");
            m_out.append(std::to_string(code));
            m_out.append("C,0.1*%");
            lineBreak();
        }
        m_out.append("G75");
        m_out.append(m_end);
        if (survey.motionBeforeAperture) {
            m_out.append("D10");
            m_out.append(m_end);
        }
    }

    void motion(std::string_view code, std::string_view item, std::string_view draw) {
        m_out.append(code);
        coordinates(item);
        m_out.append(draw);
        m_out.append(m_end);
    }

    void section(std::string_view item, int aperture) {
        double code = 0;
        if (isApertureCode(item, code)) {
            if (m_rs274x) {
                m_out.push_back('D');
                appendNumber(m_out, kApertureNumber, static_cast<double>(wholeCode(code)));
            } else {
                m_out.append(item);
            }
        } else {
            m_out.push_back('D');
            appendNumber(m_out, kApertureNumber, aperture);
        }
        m_out.append(m_end);
    }

    void finish() {
        if (m_rs274x) {
            m_out.append("M02");
            m_out.append(m_end);
        } else {
            m_out.append("M30");
            m_out.append(m_end);
            m_out.append("\r\n");
        }
    }

private:
    // The words present, in the order X, Y, I, J.
    void coordinates(std::string_view item) {
        for (char letter : {'X', 'Y', 'I', 'J'}) {
            double value = 0;
            if (wordValue(item, letter, value)) {
                appendGerberCoordinate(m_out, m_form, letter, value);
            }
        }
    }

    // The line break after a header statement: the block end's own, CR LF for "*".
    void lineBreak() { m_out.append(m_form.lineBreak()); }

    std::string& m_out;
    GerberForm m_form;
    bool m_rs274x;
    std::string_view m_end;
};

// The whole Gerber text into `sink`, or into the buffer's text when there is none.
template <class Done>
auto writeGerber(std::string_view gcode, const GerberOptions& options, ExportSink* sink, Done done)
    -> Result<decltype(done(std::declval<PieceBuffer&>()))> {
    GcodePlace place(gcode);
    try {
        // G-code of other programs is read as if this program had written it.
        const std::optional<std::string> own = text::ownGcode(gcode, text::StillMoves::LeaveOut);
        if (own) {
            gcode = *own;
        }
        ApertureTable apertures;
        const Survey found = survey(gcode, apertures);
        if (!found.anyRapid) {
            return nothingToConvertFailure();
        }
        PieceBuffer buffer(sink, gcode.size() + gcode.size() / 4 + 1024);
        GerberWriter writer(buffer.text(), options);
        if (options.rs274x) {
            writer.header(found);
        }
        ItemReader items(gcode);
        for (std::string_view item; items.next(item);) {
            place.item = item;
            if (contains(item, "G00")) {
                writer.motion("G01", item, "D02");
            } else if (contains(item, "G01")) {
                writer.motion("G01", item, "D01");
            } else if (contains(item, "G02")) {
                writer.motion("G02", item, "D01");
            } else if (contains(item, "G03")) {
                writer.motion("G03", item, "D01");
            } else if (contains(item, "G81")) {
                writer.motion("", item, "D03");
            } else {
                writer.section(item, apertures.select(item));
            }
            buffer.handOverWhenFull();
        }
        writer.finish();
        return done(buffer);
    } catch (const Failure& failure) {
        return place.placed(failure);
    }
}

}  // namespace

Result<std::string> gcodeToGerber(std::string_view gcode, const GerberOptions& options) {
    return writeGerber(gcode, options, nullptr,
                       [](PieceBuffer& buffer) { return std::move(buffer).release(); });
}

Result<std::uint64_t> gcodeToGerber(std::string_view gcode, const GerberOptions& options,
                                    ExportSink& sink) {
    return writeGerber(gcode, options, &sink, [](PieceBuffer& buffer) { return buffer.finish(); });
}

}  // namespace talmir::exporters
