#include "core/export/ExportText.h"

#include "core/text/NumericValue.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace talmir::exporters {

std::size_t countItems(std::string_view text) {
    std::size_t count = 0;
    ItemReader items(text);
    for (std::string_view item; items.next(item);) {
        ++count;
    }
    return count;
}

bool wordValue(std::string_view item, char letter, double& value) {
    const void* at = std::memchr(item.data(), letter, item.size());
    if (at == nullptr) {
        return false;
    }
    const std::size_t pos = static_cast<std::size_t>(static_cast<const char*>(at) - item.data());
    value = text::quickNumericValue(item.substr(pos + 1));
    return true;
}

float singleWord(std::string_view item, char letter, float fallback) {
    double value = 0;
    if (!wordValue(item, letter, value)) {
        return fallback;
    }
    return toSingle(value);
}

float toSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) {
        throw overflowFailure();
    }
    return static_cast<float>(value);
}

Failure overflowFailure() {
    return Failure{6, "オーバーフローしました。"};
}

Failure tableFullFailure() {
    return Failure{9, "インデックスが有効範囲にありません。"};
}

Failure nothingToConvertFailure() {
    return Failure::message("変換可能なコマンドが、見つかりませんでした");
}

bool hasMotionCode(std::string_view item) {
    for (std::size_t at = item.find('G'); at != std::string_view::npos;
         at = item.find('G', at + 1)) {
        if (at + 2 >= item.size()) {
            return false;
        }
        const char a = item[at + 1];
        const char b = item[at + 2];
        if ((a == '0' && b >= '0' && b <= '3') || (a == '8' && b == '1')) {
            return true;
        }
    }
    return false;
}

void appendNumber(std::string& out, const text::NumberPicture& picture, double value) {
    if (!std::isfinite(value)) {
        throw overflowFailure();
    }
    picture.append(out, value);
}

std::string_view NumberText::text(double value) {
    // -0.0 equals 0.0 and both print without a sign.
    if (!m_valid || value != m_value) {
        m_text.clear();
        appendNumber(m_text, *m_picture, value);
        m_value = value;
        m_valid = true;
    }
    return m_text;
}

}  // namespace talmir::exporters
