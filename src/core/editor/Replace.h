#pragma once
// Find and replace of the replace dialog (HenkanFrm) over the editor's document.

#include <cstddef>
#include <string>
#include <string_view>

namespace talmir::editor {

// A converted document and the number of pieces that were replaced or deleted.
struct Replaced {
    std::string text;
    std::size_t count = 0;
};

// Replaces every occurrence of `find` in the Shift-JIS `text` by `replacement`, in one
// forward pass that never steps back: at a character equal to the first character of
// `find` a candidate starts and takes one character after another until it differs
// from `find` or is complete; a complete candidate is written as `replacement`,
// anything else unchanged, and scanning goes on after the candidate (so "aab" in
// "aaab" is left alone). Characters, not bytes, are compared; bytes that are not valid
// Shift-JIS pass through unchanged. An empty `find` replaces nothing.
Replaced replaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// How a candidate, which starts at a character equal to the first character of
// `find`, is taken before it is written as the replacement or left unchanged.
enum class CandidateRule {
    // One character after another until one differs from `find` or the candidate
    // is complete (the replace dialog: "aab" is not found in "aaab").
    StopAtFirstDifference,
    // Always as many characters as `find` has, compared only then (the
    // control-character dialog: "abc" is not found in "axabc").
    TakeFullLength,
};

// The one forward pass of both dialogs: candidates taken by `rule`, a complete one
// written as `replacement`, scanning on after each candidate. Characters, not
// bytes, are compared; bytes that are not valid Shift-JIS pass through unchanged.
// An empty `find` replaces nothing.
Replaced replaceCandidates(std::string_view text, std::string_view find,
                           std::string_view replacement, CandidateRule rule);

// "[ " + count + " ]個を変換しました。"
std::string replacedMessage(std::size_t count);

}  // namespace talmir::editor
