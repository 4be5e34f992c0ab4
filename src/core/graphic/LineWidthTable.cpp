#include "core/graphic/LineWidthTable.h"

#include "core/text/Lines.h"
#include "core/text/NumericValue.h"

#include <cmath>
#include <limits>

namespace talmir::graphic {

namespace {

void appendQuoted(std::string& out, std::string_view field) {
    out += '"';
    for (const char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

// One field of a record line from `pos`: a quoted field runs to its closing
// quote (a doubled quote is one quote), a bare one to the next comma; blanks
// around either are dropped. `pos` ends past the comma.
std::string nextField(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
        ++pos;
    }
    std::string field;
    if (pos < line.size() && line[pos] == '"') {
        ++pos;
        while (pos < line.size()) {
            const char c = line[pos++];
            if (c != '"') {
                field += c;
            } else if (pos < line.size() && line[pos] == '"') {
                field += '"';
                ++pos;
            } else {
                break;
            }
        }
        while (pos < line.size() && line[pos] != ',') {
            ++pos;
        }
    } else {
        const std::size_t comma = line.find(',', pos);
        const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
        std::string_view bare = line.substr(pos, end - pos);
        while (!bare.empty() && (bare.back() == ' ' || bare.back() == '\t')) {
            bare.remove_suffix(1);
        }
        field = bare;
        pos = end;
    }
    if (pos < line.size()) {
        ++pos;  // the comma
    }
    return field;
}

}  // namespace

std::string writeWidthTable(const std::vector<WidthRecord>& records) {
    std::string out;
    for (const WidthRecord& record : records) {
        if (record.name.empty()) {
            continue;
        }
        appendQuoted(out, record.name);
        out += ',';
        appendQuoted(out, record.size);
        out += ',';
        const double colour = std::isfinite(record.colour) ? std::round(record.colour) : 0;
        out +=
            std::to_string(static_cast<long long>(colour >= 0 && colour <= 0xFFFFFF ? colour : 0));
        out += "\r\n";
    }
    return out;
}

std::vector<WidthRecord> readWidthTable(std::string_view fileText) {
    std::vector<WidthRecord> records;
    text::LineReader lines(fileText);
    for (std::string_view line; lines.next(line);) {
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        std::size_t pos = 0;
        WidthRecord record;
        record.name = nextField(line, pos);
        record.size = nextField(line, pos);
        record.colour = text::numericValue(nextField(line, pos));
        records.push_back(std::move(record));
    }
    return records;
}

std::optional<float> drawingSize(std::string_view text) {
    const double value = std::fabs(text::numericValue(text));
    if (!std::isfinite(value) || value > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

int applyWidthTable(const std::vector<WidthRecord>& records, PlotTables& tables,
                    ColourTable& colours) {
    int changed = 0;
    for (const WidthRecord& record : records) {
        const std::optional<float> size = drawingSize(record.size);
        if (!size || record.name.empty()) {
            continue;
        }
        for (int layer = 0; layer < kScannedLayers; ++layer) {
            LayerSlot& slot = tables.layers[static_cast<std::size_t>(layer)];
            if (slot.name == record.name) {
                slot.width = *size;
                colours.entries[static_cast<std::size_t>(layer) + 1] = record.colour;
                ++changed;
            }
        }
    }
    return changed;
}

std::optional<std::string> tableFileName(std::string_view typed) {
    if (typed.empty() || typed == "." || typed == "..") {
        return std::nullopt;
    }
    for (const char c : typed) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
            return std::nullopt;
        }
    }
    return std::string(typed);
}

}  // namespace talmir::graphic
