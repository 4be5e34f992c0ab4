#include "export/IgesRecords.h"

#include <algorithm>
#include <charconv>

namespace talmir::exporters {

namespace {

constexpr std::size_t kDataColumns = 72;
constexpr std::size_t kParameterColumns = 64;
constexpr std::size_t kMaxGlobalLines = 6;

// The decimal text of `value` preceded by blanks to `width` characters.
void appendPadded(std::string& out, std::size_t value, std::size_t width) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    const std::size_t len = static_cast<std::size_t>(r.ptr - buf);
    if (len < width) {
        out.append(width - len, ' ');
    }
    out.append(buf, len);
}

void appendSequence(std::string& out, char section, std::size_t number) {
    out.push_back(section);
    appendPadded(out, number, 7);
    out.append("\r\n");
}

void appendHollerith(std::string& out, std::string_view text) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, text.size());
    out.append(buf, r.ptr);
    out.push_back('H');
    out.append(text);
}

// Where to end the first record of a parameter text: after the last comma that
// still fits, so that no number is split between records.
std::size_t parameterBreak(std::string_view text) {
    if (text.size() <= kParameterColumns) {
        return text.size();
    }
    const std::size_t comma = text.substr(0, kParameterColumns).rfind(',');
    return comma == std::string_view::npos ? kParameterColumns : comma + 1;
}

}  // namespace

std::string igesGlobalText(std::string_view caption, std::string_view date, std::string_view time) {
    std::string fileName = "C:\\temp\\";
    fileName.append(caption);
    fileName.append(".IGS");
    std::string receiver(caption);
    receiver.append(".IGS");
    std::string stamp(date);
    stamp.push_back('.');
    stamp.append(time);

    std::string text = ",,";
    appendHollerith(text, caption);
    text.push_back(',');
    appendHollerith(text, fileName);
    text.push_back(',');
    appendHollerith(text, "TALMIR_2");
    text.append(",,,,,,,");
    appendHollerith(text, receiver);
    text.append(",1.000000,2,2HMM,1,1.000000,");
    appendHollerith(text, stamp);
    text.append(",0.000100,10000.000000,,,5,0,,;");
    return text;
}

IgesWriter::IgesWriter(std::string_view caption, std::string_view date, std::string_view time) {
    std::string global = igesGlobalText(caption, date, time);
    // At most six global records; a longer text is cut.
    global.resize(std::min(global.size(), kDataColumns * kMaxGlobalLines));
    m_globalLines = std::max<std::size_t>(1, (global.size() + kDataColumns - 1) / kDataColumns);
    global.resize(m_globalLines * kDataColumns, ' ');

    m_out.append(kDataColumns, ' ');
    appendSequence(m_out, 'S', 1);
    for (std::size_t i = 0; i < m_globalLines; ++i) {
        m_out.append(global, i * kDataColumns, kDataColumns);
        appendSequence(m_out, 'G', i + 1);
    }
}

void IgesWriter::add(int type, int level, std::string_view label, std::string_view parameters) {
    ++m_entities;
    const std::size_t directoryLine = 2 * m_entities - 1;
    const std::size_t firstParameterLine = m_parameterLines + 1;
    const std::size_t typeNumber = static_cast<std::size_t>(type);

    std::size_t lines = 0;
    for (std::string_view rest = parameters; !rest.empty() || lines == 0;) {
        const std::size_t cut = parameterBreak(rest);
        m_parameters.append(rest.substr(0, cut));
        m_parameters.append(kParameterColumns - cut, ' ');
        appendPadded(m_parameters, directoryLine, 8);
        appendSequence(m_parameters, 'P', ++m_parameterLines);
        rest.remove_prefix(cut);
        ++lines;
    }

    appendPadded(m_out, typeNumber, 8);
    appendPadded(m_out, firstParameterLine, 8);
    m_out.append(8, ' ');
    m_out.append("       1");
    appendPadded(m_out, static_cast<std::size_t>(level), 8);
    m_out.append(8, ' ');
    m_out.append("       0");
    m_out.append(8, ' ');
    m_out.append("00000000");
    appendSequence(m_out, 'D', directoryLine);

    appendPadded(m_out, typeNumber, 8);
    m_out.append(8, ' ');
    m_out.append("       4");
    appendPadded(m_out, lines, 8);
    m_out.append("       0");
    m_out.append(16, ' ');
    m_out.append(label.substr(0, 8));
    m_out.append(8 - std::min<std::size_t>(label.size(), 8), ' ');
    m_out.append(8, ' ');
    appendSequence(m_out, 'D', directoryLine + 1);
}

void IgesWriter::reserve(std::size_t entities) {
    constexpr std::size_t kRecord = 82;  // 80 columns and CR LF
    m_out.reserve(m_out.size() + 3 * kRecord * entities + kRecord);
    m_parameters.reserve(kRecord * entities);
}

std::string IgesWriter::finish() && {
    m_out.reserve(m_out.size() + m_parameters.size() + 82);
    m_out.append(m_parameters);
    m_parameters = std::string();
    m_out.append("S      1G");
    appendPadded(m_out, m_globalLines, 7);
    m_out.push_back('D');
    appendPadded(m_out, 2 * m_entities, 7);
    m_out.push_back('P');
    appendPadded(m_out, m_parameterLines, 7);
    m_out.append(40, ' ');
    appendSequence(m_out, 'T', 1);
    return std::move(m_out);
}

}  // namespace talmir::exporters
