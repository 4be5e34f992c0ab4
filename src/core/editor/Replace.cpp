#include "core/editor/Replace.h"

#include "core/editor/TextChars.h"

namespace talmir::editor {

namespace {

// The pass itself, over the candidates that start with the character `first`.
// `take(start, pos)` is called with `pos` just after that character of a candidate
// that starts at `start`; it moves `pos` past the candidate and says whether the
// candidate is the text to replace.
template <class TakeCandidate>
Replaced replaceEachCandidate(std::string_view text, std::string_view first,
                              std::string_view replacement, TakeCandidate take) {
    Replaced result;
    result.text.reserve(text.size());
    std::size_t unused = 0;
    std::size_t copied = 0;  // text before this offset is already in the output
    std::size_t pos = 0;
    while (true) {
        pos = findCharFrom(text, pos, first, unused);
        if (pos >= text.size()) {
            break;
        }
        const std::size_t start = pos;
        pos += first.size();
        if (take(start, pos)) {
            result.text.append(text, copied, start - copied);
            result.text.append(replacement);
            copied = pos;
            ++result.count;
        }
    }
    result.text.append(text, copied);
    return result;
}

}  // namespace

Replaced replaceCandidates(std::string_view text, std::string_view find,
                           std::string_view replacement, CandidateRule rule) {
    if (find.empty()) {
        return Replaced{std::string(text), 0};
    }
    const CharOffsets chars(find);
    const std::string_view first = chars.charAt(find, 0);
    if (rule == CandidateRule::TakeFullLength) {
        return replaceEachCandidate(
            text, first, replacement, [&](std::size_t start, std::size_t& pos) {
                for (std::size_t k = 1; k < chars.count() && pos < text.size(); ++k) {
                    pos += charBytesAt(text, pos);
                }
                return text.substr(start, pos - start) == find;
            });
    }
    return replaceEachCandidate(text, first, replacement, [&](std::size_t, std::size_t& pos) {
        std::size_t k = 1;
        for (; k < chars.count() && pos < text.size(); ++k) {
            const std::size_t len = charBytesAt(text, pos);
            const bool same = text.substr(pos, len) == chars.charAt(find, k);
            pos += len;
            if (!same) {
                break;  // the candidate, with this character, is written unchanged
            }
        }
        return k == chars.count();
    });
}

Replaced replaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    return replaceCandidates(text, find, replacement, CandidateRule::StopAtFirstDifference);
}

std::string replacedMessage(std::size_t count) {
    return "[ " + std::to_string(count) + " ]個を変換しました。";
}

}  // namespace talmir::editor
