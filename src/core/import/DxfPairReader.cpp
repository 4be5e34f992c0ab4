#include "core/import/DxfPairReader.h"

#include "core/Failure.h"
#include "core/text/NumericValue.h"

#include <array>
#include <cstring>

namespace talmir::importers {

namespace {

// CR LF and LF text use LF; CR-only text (two CRs before any LF) uses CR. A text
// with a single CR and no LF uses CR; a text with neither has one line, and LF
// (which it does not contain) serves as well as anything.
char scanSeparator(std::string_view text) {
    const char* data = text.data();
    const void* lf = std::memchr(data, '\n', text.size());
    const std::size_t limit =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : text.size();
    const void* cr = std::memchr(data, '\r', limit);
    if (cr == nullptr) {
        return '\n';
    }
    const std::size_t afterCr = static_cast<std::size_t>(static_cast<const char*>(cr) - data) + 1;
    if (std::memchr(data + afterCr, '\r', limit - afterCr) != nullptr) {
        return '\r';
    }
    return lf ? '\n' : '\r';
}

constexpr auto kDropped = [] {
    std::array<bool, 256> table{};
    table[' '] = table['\r'] = table['\n'] = true;
    return table;
}();

inline bool isDropped(char c) {
    return kDropped[static_cast<unsigned char>(c)];
}

// The field without spaces, CR and LF. Usually they stand only at the ends (the CR
// of CR LF text, the padding of "  0"), so the result is a slice; otherwise the
// cleaned bytes go to `scratch`.
inline std::string_view cleaned(const char* begin, const char* end, std::string& scratch) {
    while (begin < end && isDropped(*begin)) {
        ++begin;
    }
    while (end > begin && isDropped(end[-1])) {
        --end;
    }
    for (const char* p = begin; p < end; ++p) {
        if (isDropped(*p)) {
            scratch.assign(begin, p);
            for (; p < end; ++p) {
                if (!isDropped(*p)) {
                    scratch.push_back(*p);
                }
            }
            return scratch;
        }
    }
    return {begin, static_cast<std::size_t>(end - begin)};
}

// True when the value spells a non-finite number as C's printf writes it ("nan",
// "-inf", "INF", "infinity", blanks before it allowed): what a CAD program writes
// when its own arithmetic broke. Such a value is no coordinate, not a 0.
bool namesNonFinite(std::string_view value) {
    std::size_t p = value.find_first_not_of(" \t");
    if (p == std::string_view::npos) {
        return false;
    }
    if (value[p] == '-' || value[p] == '+') {
        ++p;
    }
    auto lower = [&](std::size_t at) {
        return at < value.size() ? static_cast<char>(value[at] | 0x20) : '\0';
    };
    const char a = lower(p);
    const char b = lower(p + 1);
    const char c = lower(p + 2);
    return (a == 'n' && b == 'a' && c == 'n') || (a == 'i' && b == 'n' && c == 'f');
}

}  // namespace

double dxfNumber(std::string_view value) {
    if (namesNonFinite(value)) {
        throwOverflow();
    }
    return text::quickNumericValue(value);
}

[[noreturn]] void throwPastEnd() {
    throw Failure{62, "ファイルにこれ以上データがありません。"};
}

[[noreturn]] void throwOverflow() {
    throw Failure{6, "オーバーフローしました。"};
}

DxfPairReader::DxfPairReader(std::string_view text)
    : m_text(text), m_separator(scanSeparator(text)) {}

bool DxfPairReader::next() {
    const std::size_t size = m_text.size();
    const char* data = m_text.data();
    // Blank lines (and blanks) before a code are skipped.
    while (m_pos < size && (data[m_pos] == m_separator || isDropped(data[m_pos]))) {
        ++m_pos;
    }
    if (m_pos >= size) {
        m_code = {};
        m_value = {};
        m_rawValue = {};
        return false;
    }
    const void* codeEnd = std::memchr(data + m_pos, m_separator, size - m_pos);
    if (codeEnd == nullptr) {
        throwPastEnd();
    }
    const std::size_t codeStop = static_cast<std::size_t>(static_cast<const char*>(codeEnd) - data);
    m_code = cleaned(data + m_pos, data + codeStop, m_codeScratch);
    m_pos = codeStop + 1;

    const void* valueEnd = std::memchr(data + m_pos, m_separator, size - m_pos);
    const std::size_t valueStop =
        valueEnd ? static_cast<std::size_t>(static_cast<const char*>(valueEnd) - data) : size;
    m_value = cleaned(data + m_pos, data + valueStop, m_valueScratch);
    std::size_t rawStop = valueStop;
    if (m_separator == '\n' && rawStop > m_pos && data[rawStop - 1] == '\r') {
        --rawStop;
    }
    m_rawValue = m_text.substr(m_pos, rawStop - m_pos);
    if (valueEnd == nullptr) {
        // A file saved without its last line end still closes properly; any other
        // value running into the end of the text means the file was cut.
        if (!(m_code == "0" && m_value == "EOF")) {
            throwPastEnd();
        }
        m_pos = size;
    } else {
        m_pos = valueStop + 1;
    }
    return true;
}

}  // namespace talmir::importers
