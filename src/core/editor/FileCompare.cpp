#include "core/editor/FileCompare.h"

#include <algorithm>

namespace talmir::editor {
namespace {

// The comparison once the first differing position is known: `mismatch` is the
// number of leading characters (or bytes) both have in common.
Comparison comparisonAt(std::size_t mismatch, std::size_t sourceSize, std::size_t otherSize,
                        std::size_t unit) {
    Comparison result;
    if (mismatch < sourceSize && mismatch < otherSize) {
        result.differ = true;
        result.markOffset = mismatch;
        result.firstDifferentByte = mismatch / unit;
    } else if (sourceSize > otherSize) {
        // The other dump ends first: the source's next character is the difference.
        result.differ = true;
        result.markOffset = otherSize;
        result.firstDifferentByte = otherSize / unit;
    } else if (otherSize > sourceSize) {
        // The source ends first: its last character read is marked.
        result.differ = true;
        result.markOffset = sourceSize > 0 ? sourceSize - 1 : 0;
        result.firstDifferentByte = sourceSize / unit;
    }
    return result;
}

}  // namespace

void appendHexDump(std::string& out, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::size_t start = out.size();
    out.resize(start + bytes.size() * 3);
    char* p = out.data() + start;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *p++ = kDigits[b >> 4];
        *p++ = kDigits[b & 0x0F];
        *p++ = ' ';
    }
}

std::string hexDump(std::string_view bytes) {
    std::string out;
    appendHexDump(out, bytes);
    return out;
}

Comparison compareDumps(std::string_view source, std::string_view other) {
    const std::size_t common = std::min(source.size(), other.size());
    const auto first = std::mismatch(source.begin(), source.begin() + common, other.begin());
    return comparisonAt(static_cast<std::size_t>(first.first - source.begin()), source.size(),
                        other.size(), 3);
}

Comparison compareFiles(std::string_view source, std::string_view other) {
    const std::size_t common = std::min(source.size(), other.size());
    const auto first = std::mismatch(source.begin(), source.begin() + common, other.begin());
    const auto i = static_cast<std::size_t>(first.first - source.begin());
    if (i < common) {
        // In the dumps the high digit comes first, then the low one.
        const auto a = static_cast<unsigned char>(source[i]);
        const auto b = static_cast<unsigned char>(other[i]);
        Comparison result;
        result.differ = true;
        result.markOffset = 3 * i + ((a >> 4) == (b >> 4) ? 1 : 0);
        result.firstDifferentByte = i;
        return result;
    }
    return comparisonAt(3 * common, 3 * source.size(), 3 * other.size(), 3);
}

std::string comparisonMessage(const Comparison& comparison) {
    return comparison.differ ? "ファイルに違いが確認されました。" : "比較を完了しました。";
}

std::string comparisonErrorMessage() {
    return "エラーが発生しました。";
}

}  // namespace talmir::editor
