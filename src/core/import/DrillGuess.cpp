#include "core/import/DrillGuess.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace talmir::importers {

namespace {

constexpr std::size_t kSampleBytes = 256 * 1024;

bool contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// What the text says about itself.
struct Evidence {
    enum class Units { Unknown, Metric, Inch };
    Units units = Units::Unknown;
    char zeros = 0;  // 'L' leading zeros kept, 'T' trailing zeros kept, 0 unknown
    int integerDigits = 0;
    int decimals = 0;
    bool incremental = false;
    bool excellon = false;         // M48 or tool definitions
    bool gerber = false;           // %FS or %AD statements with D03 flashes
    bool formatStatement = false;  // %FS
    bool g81 = false;
    bool decimalPoints = false;
    // Coordinate digit statistics.
    std::size_t numbers = 0;
    std::size_t leadingZero = 0;
    std::size_t minDigits = 99;
    std::size_t maxDigits = 0;
    std::vector<double> diameters;
    std::vector<std::string> reasons;
};

void note(Evidence& e, std::string_view reason) {
    if (std::find(e.reasons.begin(), e.reasons.end(), reason) == e.reasons.end()) {
        e.reasons.emplace_back(reason);
    }
}

// "2:4" or "2.4" at `at` of `line`.
bool digitFormat(std::string_view line, std::size_t at, Evidence& e) {
    if (at + 2 < line.size() && isDigit(line[at]) && (line[at + 1] == ':' || line[at + 1] == '.') &&
        isDigit(line[at + 2])) {
        e.integerDigits = line[at] - '0';
        e.decimals = line[at + 2] - '0';
        return true;
    }
    return false;
}

void unitsWord(std::string_view line, Evidence& e) {
    const bool metric = contains(line, "METRIC");
    const bool inch = contains(line, "INCH");
    if (!metric && !inch) {
        return;
    }
    e.units = metric ? Evidence::Units::Metric : Evidence::Units::Inch;
    note(e, metric ? "METRIC" : "INCH");
    if (contains(line, ",LZ") || contains(line, ",TZ")) {
        e.zeros = contains(line, ",LZ") ? 'L' : 'T';
        note(e, e.zeros == 'L' ? "LZ" : "TZ");
    }
    // METRIC,LZ,000.000: the digits of the format spelt out.
    const std::size_t third = line.rfind(',');
    const std::size_t point = line.find('.', third == std::string_view::npos ? 0 : third);
    if (third != std::string_view::npos && point != std::string_view::npos &&
        line.find_first_not_of("0.", third + 1) == std::string_view::npos) {
        e.integerDigits = static_cast<int>(point - third - 1);
        e.decimals = static_cast<int>(line.size() - point - 1);
        note(e, line.substr(third + 1));
    }
}

void commentLine(std::string_view line, Evidence& e) {
    std::size_t at = line.find("FILE_FORMAT=");
    if (at != std::string_view::npos && digitFormat(line, at + 12, e)) {
        note(e, line.substr(at, 15));
    }
    at = line.find("FORMAT={");
    if (at == std::string_view::npos) {
        return;
    }
    if (digitFormat(line, at + 8, e)) {
        note(e, "FORMAT=" + std::string(line.substr(at + 8, 3)));
    }
    if (contains(line, "metric")) {
        e.units = Evidence::Units::Metric;
    } else if (contains(line, "inch")) {
        e.units = Evidence::Units::Inch;
    }
    if (contains(line, "decimal")) {
        e.decimalPoints = true;
    }
    if (contains(line, "incremental")) {
        e.incremental = true;
    }
    note(e, "FORMAT={...}");
}

// %FSLAX24Y24*% and %MOIN*% / %MOMM*% of Gerber data; Gerber says which zeros it
// omits, the opposite of what a drill header says it keeps.
void gerberStatement(std::string_view line, Evidence& e) {
    const std::size_t fs = line.find("%FS");
    if (fs != std::string_view::npos && fs + 6 < line.size()) {
        e.gerber = true;
        e.formatStatement = true;
        e.zeros = line[fs + 3] == 'T' ? 'L' : 'T';
        e.incremental = line[fs + 4] == 'I';
        const std::size_t x = line.find('X', fs);
        if (x != std::string_view::npos && x + 2 < line.size() && isDigit(line[x + 1]) &&
            isDigit(line[x + 2])) {
            e.integerDigits = line[x + 1] - '0';
            e.decimals = line[x + 2] - '0';
        }
        note(e, line.substr(fs + 1, std::min<std::size_t>(line.find('*', fs) - fs - 1, 12)));
    }
    if (contains(line, "%MOIN") || contains(line, "%MOMM")) {
        e.units = contains(line, "%MOIN") ? Evidence::Units::Inch : Evidence::Units::Metric;
        note(e, contains(line, "%MOIN") ? "MOIN" : "MOMM");
    }
    if (contains(line, "%AD")) {
        e.gerber = true;
    }
    // Older data: G70 inches, G71 millimetres, unless a %MO statement said so.
    if (e.units == Evidence::Units::Unknown && (contains(line, "G70") || contains(line, "G71"))) {
        e.units = contains(line, "G70") ? Evidence::Units::Inch : Evidence::Units::Metric;
        note(e, contains(line, "G70") ? "G70" : "G71");
    }
}

void coordinateNumbers(std::string_view line, Evidence& e) {
    for (std::size_t at = line.find_first_of("XY"); at != std::string_view::npos;
         at = line.find_first_of("XY", at + 1)) {
        std::size_t k = at + 1;
        if (k < line.size() && (line[k] == '-' || line[k] == '+')) {
            ++k;
        }
        const std::size_t start = k;
        bool point = false;
        while (k < line.size() && (isDigit(line[k]) || line[k] == '.')) {
            point = point || line[k] == '.';
            ++k;
        }
        if (k == start) {
            continue;
        }
        ++e.numbers;
        if (point) {
            e.decimalPoints = true;
            continue;
        }
        const std::size_t digits = k - start;
        e.minDigits = std::min(e.minDigits, digits);
        e.maxDigits = std::max(e.maxDigits, digits);
        if (digits > 1 && line[start] == '0') {
            ++e.leadingZero;
        }
    }
}

void toolDefinition(std::string_view line, Evidence& e) {
    const std::size_t c = line.find('C');
    if (line.size() < 3 || line[0] != 'T' || !isDigit(line[1]) || c == std::string_view::npos) {
        return;
    }
    e.excellon = true;
    double value = 0;
    double scale = 0;
    for (std::size_t k = c + 1; k < line.size(); ++k) {
        if (isDigit(line[k])) {
            value = value * 10 + (line[k] - '0');
            scale *= 10;
        } else if (line[k] == '.' && scale == 0) {
            scale = 1;
        } else {
            break;
        }
    }
    e.diameters.push_back(scale > 1 ? value / scale : value);
}

void readLine(std::string_view line, Evidence& e) {
    if (line.empty()) {
        return;
    }
    if (line.front() == ';') {
        commentLine(line, e);
        return;
    }
    gerberStatement(line, e);
    if (line.front() == '%') {
        return;
    }
    if (contains(line, "M48")) {
        e.excellon = true;
        note(e, "M48");
    }
    unitsWord(line, e);
    if (line == "M71" || line == "M72") {
        if (e.units == Evidence::Units::Unknown) {
            e.units = line == "M71" ? Evidence::Units::Metric : Evidence::Units::Inch;
        }
        note(e, line);
    }
    if (contains(line, "ICI,ON") || contains(line, "G91")) {
        e.incremental = true;
        note(e, contains(line, "G91") ? "G91" : "ICI,ON");
    }
    if (contains(line, "G81")) {
        e.g81 = true;
    }
    toolDefinition(line, e);
    if (!contains(line, "METRIC") && !contains(line, "INCH")) {
        coordinateNumbers(line, e);
    }
}

CoordinateUnit metricUnit(const Evidence& e) {
    if (e.zeros == 'L') {
        return e.integerDigits == 4 ? CoordinateUnit::Leading4 : CoordinateUnit::Leading3;
    }
    switch (e.decimals) {
        case 2:
            return CoordinateUnit::Hundredths;
        case 4:
            return CoordinateUnit::TenThousandths;
        case 5:
            return CoordinateUnit::HundredThousandths;
        case 6:
            return CoordinateUnit::Millionths;
        default:
            return CoordinateUnit::Thousandths;
    }
}

CoordinateUnit inchUnit(const Evidence& e) {
    const bool lz = e.zeros == 'L';
    if (e.decimals == 3) {
        if (e.integerDigits == 3) {
            return lz ? CoordinateUnit::Inch33Lz : CoordinateUnit::Inch33Tz;
        }
        return lz ? CoordinateUnit::Inch23Lz : CoordinateUnit::Inch23Tz;
    }
    return lz ? CoordinateUnit::Inch24Lz : CoordinateUnit::Inch24Tz;
}

// The unit from what the text said, the rest from the numbers themselves.
void chooseUnit(Evidence& e, DrillOptions& options) {
    if (e.units == Evidence::Units::Unknown && !e.diameters.empty()) {
        const double largest = *std::max_element(e.diameters.begin(), e.diameters.end());
        e.units = largest < 0.25 ? Evidence::Units::Inch : Evidence::Units::Metric;
        note(e, largest < 0.25 ? "工具径(inch)" : "工具径(mm)");
    }
    if (e.decimalPoints) {
        options.unit = e.units == Evidence::Units::Inch ? CoordinateUnit::InchDecimal
                                                        : CoordinateUnit::Decimal;
        note(e, "小数点");
        return;
    }
    if (e.units == Evidence::Units::Unknown || e.numbers == 0) {
        return;
    }
    if (e.zeros == 0) {
        // Leading zeros in the numbers are kept ones; numbers of varying length
        // without them have their leading zeros suppressed.
        e.zeros = e.leadingZero * 4 > e.numbers ? 'L' : 'T';
        note(e, e.zeros == 'L' ? "先頭ゼロ" : "先頭ゼロ省略");
    }
    if (e.integerDigits == 0) {
        const bool inch = e.units == Evidence::Units::Inch;
        e.integerDigits = inch ? 2 : 3;
        e.decimals = inch ? 4 : 3;
        if (e.zeros == 'L' && e.maxDigits == 5 && e.minDigits == 5) {
            e.decimals = 3;  // five digits kept on the left: 2.3
        }
    }
    options.unit = e.units == Evidence::Units::Inch ? inchUnit(e) : metricUnit(e);
}

std::string describe(const DrillOptions& options, const Evidence& e) {
    std::string line = "推定: ";
    line += coordinateUnitCaption(options.unit);
    line += options.incremental ? " INC" : " ABS";
    switch (options.holeRule) {
        case DrillHoleRule::EveryCoordinate:
            break;
        case DrillHoleRule::Code:
            line += ", 穴 " + options.holeCode;
            break;
        case DrillHoleRule::Cycle:
            line += ", 穴 " + options.cycleCode + "〜" + options.cancelCode;
            break;
    }
    if (options.toolRule == DrillToolRule::Code) {
        line += ", Tコード " + options.toolCode;
    }
    line += " (";
    for (std::size_t k = 0; k < e.reasons.size(); ++k) {
        line += (k == 0 ? "" : ", ") + e.reasons[k];
    }
    return line + ")";
}

Evidence readEvidence(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kSampleBytes));
    Evidence e;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(at, end - at);
        while (!line.empty() && line.back() == ' ') {
            line.remove_suffix(1);
        }
        readLine(line, e);
        at = end + 1;
    }
    return e;
}

}  // namespace

DrillGuess guessDrillFormat(std::string_view text) {
    Evidence e = readEvidence(text);
    DrillGuess guess;
    text = text.substr(0, std::min(text.size(), kSampleBytes));
    const std::size_t first = text.find_first_of("*\n\r");
    if (first != std::string_view::npos) {
        guess.separator = text[first] == '*' ? 0 : text[first] == '\n' ? 1 : 2;
    }
    DrillOptions& options = guess.options;
    if (e.gerber) {
        options.holeRule = DrillHoleRule::Code;
        options.holeCode = "D03";
        note(e, "D03");
    } else if (e.excellon) {
        options.toolRule = DrillToolRule::Code;
        options.toolCode = "T";
    } else if (e.g81) {
        options.holeRule = DrillHoleRule::Cycle;
        note(e, "G81");
    }
    options.incremental = e.incremental;
    if (e.gerber) {
        e.decimalPoints = false;  // Gerber coordinates are digits only
    }
    chooseUnit(e, options);
    guess.evidence = !e.reasons.empty();
    guess.summary = guess.evidence ? describe(options, e) : "推定できる情報がありません";
    return guess;
}

GerberGuess guessGerberFormat(std::string_view text) {
    Evidence e = readEvidence(text);
    GerberGuess guess;
    guess.incremental = e.incremental;
    if (e.formatStatement && e.units != Evidence::Units::Unknown) {
        const CoordinateUnit unit = e.units == Evidence::Units::Inch ? inchUnit(e) : metricUnit(e);
        guess.unit = static_cast<int>(unit);
    }
    guess.evidence = e.formatStatement || e.units != Evidence::Units::Unknown;
    if (!guess.evidence) {
        guess.summary = "推定できる情報がありません";
        return guess;
    }
    guess.summary = std::string("推定: ") +
                    coordinateUnitCaption(static_cast<CoordinateUnit>(guess.unit)) +
                    (guess.incremental ? " INC (" : " ABS (");
    for (std::size_t k = 0; k < e.reasons.size(); ++k) {
        guess.summary += (k == 0 ? "" : ", ") + e.reasons[k];
    }
    guess.summary += ")";
    return guess;
}

}  // namespace talmir::importers
