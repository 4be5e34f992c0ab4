#pragma once
// Small pieces shared by the text-tool commands (replace, control, codetable).

#include "core/Failure.h"

#include "core/text/ShiftJis.h"

#include <optional>
#include <string>
#include <string_view>

namespace talmir::cli {

// The window's error report: "エラー番号 : " + number, a line feed, the description.
inline std::string errorReport(const Failure& failure) {
    return "エラー番号 : " + std::to_string(failure.number) + "\n" + failure.description + "\n";
}

inline constexpr std::string_view kNotShiftJis =
    "the text holds a character that Shift-JIS cannot hold";

inline bool isUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t length = 1;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
        } else if (b >= 0x80) {
            return false;
        }
        if (i + length > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// A text typed on the command line, as the Shift-JIS bytes the documents hold. The
// terminal gives UTF-8, which is converted; an argument that is not UTF-8 is taken
// as Shift-JIS bytes already. nullopt when it holds a character Shift-JIS lacks.
inline std::optional<std::string> commandLineText(std::string_view argument) {
    if (!isUtf8(argument)) {
        return std::string(argument);
    }
    std::size_t unmappable = 0;
    std::string sjis = text::utf8ToShiftJis(argument, &unmappable);
    if (unmappable > 0) {
        return std::nullopt;
    }
    return sjis;
}

}  // namespace talmir::cli
