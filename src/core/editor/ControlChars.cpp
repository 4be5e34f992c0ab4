#include "core/editor/ControlChars.h"

namespace talmir::editor {

std::string controlKeyword(std::string_view entry) {
    if (entry == "CrLf") {
        return "\r\n";
    }
    if (entry == "Cr") {
        return "\r";
    }
    if (entry == "Lf") {
        return "\n";
    }
    return std::string(entry);
}

Replaced convertControlChars(std::string_view text, std::string_view find,
                             std::string_view replacement) {
    return replaceAll(text, find, replacement);
}

std::string controlReplacedMessage(std::size_t count) {
    return replacedMessage(count);
}

std::string controlDeletedMessage(std::size_t count) {
    return "[ " + std::to_string(count) + " ]個を削除しました。";
}

}  // namespace talmir::editor
