#include "core/export/IgesRecords.h"

#include "core/export/ExportSink.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

namespace talmir::exporters {

namespace {

constexpr std::size_t kDataColumns = 72;
constexpr std::size_t kParameterColumns = 64;
constexpr std::size_t kRecord = 82;  // 80 columns and CR LF
constexpr std::size_t kDirectoryEntry = 2 * kRecord;

// The two directory records of an entity with the fixed fields filled in: line
// font 1, no transformation, status 00000000, colour 4, form 0. Type, parameter
// pointer, level, parameter record count, label and sequence numbers go in blanks.
constexpr std::string_view kDirectoryTemplate =
    "                               1                       0        00000000D       \r\n"
    "                       4               0                                D       \r\n";
static_assert(kDirectoryTemplate.size() == kDirectoryEntry);

// A parameter record: text, back pointer and sequence number go in the blanks.
constexpr std::string_view kParameterTemplate =
    "                                                                        P       \r\n";
static_assert(kParameterTemplate.size() == kRecord);

// Writes `value` right-aligned into the `width` columns at `field`; a number with
// more digits than the field keeps its last ones.
void putRight(char* field, std::size_t width, std::size_t value) {
    for (std::size_t i = width; i > 0; --i) {
        field[i - 1] = static_cast<char>('0' + value % 10);
        value /= 10;
        if (value == 0) {
            break;
        }
    }
}

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

// One parameter of the global section with the delimiter after it ("1.000000,").
// A Hollerith string ("8HTALMIR_2,") may go on in the next record; `lead` bytes
// at its start (the count, "H" and the first byte of the string) stay together.
struct GlobalParameter {
    std::string text;
    std::size_t lead = 0;  // 0: the value is never split
};

// Each parameter of `plain` ("1.000000,2," or ",,,") as it stands.
void addPlain(std::vector<GlobalParameter>& parameters, std::string_view plain) {
    while (!plain.empty()) {
        const std::size_t end = plain.find_first_of(",;") + 1;
        parameters.push_back({std::string(plain.substr(0, end)), 0});
        plain.remove_prefix(end);
    }
}

// A Hollerith string: the byte count, "H" and the bytes, then `delimiter`.
void addHollerith(std::vector<GlobalParameter>& parameters, std::string_view text, char delimiter) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, text.size());
    GlobalParameter parameter;
    parameter.text.assign(buf, r.ptr);
    parameter.text.push_back('H');
    parameter.lead = text.empty() ? 0 : parameter.text.size() + 1;
    parameter.text.append(text);
    parameter.text.push_back(delimiter);
    parameters.push_back(std::move(parameter));
}

std::vector<GlobalParameter> globalParameters(std::string_view caption, std::string_view date,
                                              std::string_view time) {
    std::string fileName = "C:\\temp\\";
    fileName.append(caption);
    fileName.append(".IGS");
    std::string receiver(caption);
    receiver.append(".IGS");
    std::string stamp(date);
    stamp.push_back('.');
    stamp.append(time);

    std::vector<GlobalParameter> parameters;
    addPlain(parameters, ",,");
    addHollerith(parameters, caption, ',');
    addHollerith(parameters, fileName, ',');
    addHollerith(parameters, "TALMIR_2", ',');
    addPlain(parameters, ",,,,,,");
    addHollerith(parameters, receiver, ',');
    addPlain(parameters, "1.000000,2,");
    addHollerith(parameters, "MM", ',');
    addPlain(parameters, "1,1.000000,");
    addHollerith(parameters, stamp, ',');
    addPlain(parameters, "0.000100,10000.000000,,,5,0,,;");
    return parameters;
}

// The data columns of the global records, 72 a record, blank-filled. Readers
// take a number or a Hollerith count that runs over the end of a record for two
// parameters, so such a value that does not fit the rest of a record starts the
// next one. A Hollerith string goes on in the next record once its count, "H" and
// first byte are written; a delimiter may open a record.
std::string globalRecords(const std::vector<GlobalParameter>& parameters) {
    std::string records;
    for (const GlobalParameter& parameter : parameters) {
        const std::string_view value(parameter.text.data(), parameter.text.size() - 1);
        const std::size_t used = records.size() % kDataColumns;
        const std::size_t whole = parameter.lead == 0 ? value.size() : parameter.lead;
        if (used > 0 && whole > kDataColumns - used) {
            records.append(kDataColumns - used, ' ');
        }
        records.append(parameter.text);
    }
    const std::size_t used = records.size() % kDataColumns;
    if (used > 0 || records.empty()) {
        records.append(kDataColumns - used, ' ');
    }
    return records;
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
    std::string text;
    for (const GlobalParameter& parameter : globalParameters(caption, date, time)) {
        text.append(parameter.text);
    }
    return text;
}

IgesWriter::IgesWriter(std::string_view caption, std::string_view date, std::string_view time,
                       std::size_t entities, ExportSink* sink)
    : m_sink(sink) {
    const std::string global = globalRecords(globalParameters(caption, date, time));
    m_globalLines = global.size() / kDataColumns;

    const std::size_t headerSize = kRecord * (1 + m_globalLines);
    if (m_sink == nullptr) {
        m_out.reserve(headerSize + kRecord * (1 + 3 * entities));
    } else {
        m_out.reserve(kExportPieceSize + kExportPieceSize / 4);
        m_directory.reserve(kExportPieceSize + kExportPieceSize / 4);
    }
    m_out.append(kDataColumns, ' ');
    appendSequence(m_out, 'S', 1);
    for (std::size_t i = 0; i < m_globalLines; ++i) {
        m_out.append(global, i * kDataColumns, kDataColumns);
        appendSequence(m_out, 'G', i + 1);
    }
    m_directoryStart = m_out.size();
    m_capacity = entities;
    if (m_sink == nullptr) {
        m_out.resize(m_directoryStart + kDirectoryEntry * entities);
    } else {
        m_parameterOffset = m_directoryStart + kDirectoryEntry * entities;
        m_sink->put(0, m_out);
    }
}

// The two directory records of the next entity: the template, to be filled in.
char* IgesWriter::directoryEntry() {
    if (m_sink != nullptr) {
        if (m_entities == m_capacity) {
            throw std::logic_error("IGES: more entities than announced");
        }
        const std::size_t at = m_directory.size();
        m_directory.append(kDirectoryTemplate);
        return m_directory.data() + at;
    }
    if (m_entities == m_capacity) {
        // More entities than announced: make room at the end of the directory.
        m_out.insert(m_directoryStart + kDirectoryEntry * m_capacity, kDirectoryEntry, ' ');
        ++m_capacity;
    }
    char* d = m_out.data() + m_directoryStart + kDirectoryEntry * m_entities;
    std::memcpy(d, kDirectoryTemplate.data(), kDirectoryEntry);
    return d;
}

void IgesWriter::handOverWhenFull() {
    if (m_directory.size() >= kExportPieceSize) {
        const std::size_t size = m_directory.size();
        m_sink->put(m_directoryStart, m_directory);
        m_directoryStart += size;
        m_directory.clear();
    }
    if (m_out.size() >= kExportPieceSize) {
        const std::size_t size = m_out.size();
        m_sink->put(m_parameterOffset, m_out);
        m_parameterOffset += size;
        m_out.clear();
    }
}

void IgesWriter::RecordNumber::next() {
    for (int i = 7; i >= 0; --i) {
        if (text[i] != '9') {
            text[i] = text[i] == ' ' ? '1' : static_cast<char>(text[i] + 1);
            return;
        }
        text[i] = '0';
    }
}

void IgesWriter::add(int type, int level, std::string_view label, std::string_view parameters) {
    m_directoryNumber.next();
    const RecordNumber directoryLine = m_directoryNumber;
    RecordNumber firstParameterLine = m_parameterNumber;
    firstParameterLine.next();

    std::size_t lines = 0;
    for (std::string_view rest = parameters; !rest.empty() || lines == 0;) {
        const std::size_t cut = parameterBreak(rest);
        const std::size_t at = m_out.size();
        m_out.append(kParameterTemplate);
        char* record = m_out.data() + at;
        std::memcpy(record, rest.data(), cut);
        m_parameterNumber.next();
        ++m_parameterLines;
        std::memcpy(record + kParameterColumns, directoryLine.text, 8);
        std::memcpy(record + 73, m_parameterNumber.text + 1, 7);
        rest.remove_prefix(cut);
        ++lines;
    }

    char* d = directoryEntry();
    ++m_entities;
    const auto typeNumber = static_cast<std::size_t>(type);
    putRight(d, 8, typeNumber);
    std::memcpy(d + 8, firstParameterLine.text, 8);
    putRight(d + 32, 8, static_cast<std::size_t>(level < 0 ? 0 : level));
    std::memcpy(d + 73, directoryLine.text + 1, 7);
    d += kRecord;
    putRight(d, 8, typeNumber);
    putRight(d + 24, 8, lines);
    std::memcpy(d + 56, label.data(), std::min<std::size_t>(label.size(), 8));
    m_directoryNumber.next();
    std::memcpy(d + 73, m_directoryNumber.text + 1, 7);
    if (m_sink != nullptr) {
        handOverWhenFull();
    }
}

namespace {

void appendTerminate(std::string& out, std::size_t globalLines, std::size_t entities,
                     std::size_t parameterLines) {
    out.append("S      1G");
    appendPadded(out, globalLines, 7);
    out.push_back('D');
    appendPadded(out, 2 * entities, 7);
    out.push_back('P');
    appendPadded(out, parameterLines, 7);
    out.append(40, ' ');
    appendSequence(out, 'T', 1);
}

}  // namespace

std::string IgesWriter::finish() && {
    if (m_entities < m_capacity) {
        m_out.erase(m_directoryStart + kDirectoryEntry * m_entities,
                    kDirectoryEntry * (m_capacity - m_entities));
    }
    appendTerminate(m_out, m_globalLines, m_entities, m_parameterLines);
    return std::move(m_out);
}

std::uint64_t IgesWriter::finishPieces() {
    if (m_entities != m_capacity) {
        throw std::logic_error("IGES: fewer entities than announced");
    }
    if (!m_directory.empty()) {
        m_sink->put(m_directoryStart, m_directory);
    }
    appendTerminate(m_out, m_globalLines, m_entities, m_parameterLines);
    const std::uint64_t end = m_parameterOffset + m_out.size();
    m_sink->put(m_parameterOffset, m_out);
    return end;
}

}  // namespace talmir::exporters
