#include "gui/base/PaneText.h"

#include "gui/base/TextPane.h"

namespace talmir {

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// True when a character of the text starts at `i`: not inside a character and
// not a virtual line break, which is no character of the document.
bool startsCharacter(std::string_view utf8, std::size_t i) {
    if (isContinuationByte(utf8[i])) {
        return false;
    }
    return utf8[i] != TextPane::kVirtualBreak[0] ||
           utf8.compare(i, TextPane::kVirtualBreak.size(), TextPane::kVirtualBreak) != 0;
}

// Scintilla colours are 0xBBGGRR.
constexpr long kDarkRed = 192;

}  // namespace

std::size_t charIndexOfUtf8Offset(std::string_view utf8, std::size_t offsetBytes) {
    const std::size_t end = offsetBytes < utf8.size() ? offsetBytes : utf8.size();
    std::size_t count = 0;
    for (std::size_t i = 0; i < end; ++i) {
        count += startsCharacter(utf8, i) ? 1 : 0;
    }
    return count;
}

std::size_t utf8OffsetOfCharIndex(std::string_view utf8, std::size_t charIndex) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (startsCharacter(utf8, i)) {
            if (seen == charIndex) {
                return i;
            }
            ++seen;
        }
    }
    return utf8.size();
}

std::size_t selectionStartChar(const TextPane& pane) {
    const auto start =
        static_cast<std::size_t>(pane.SendScintilla(TextPane::SCI_GETSELECTIONSTART));
    return charIndexOfUtf8Offset(pane.utf8View(), start);
}

void selectChars(TextPane& pane, std::size_t startChar, std::size_t lengthChars) {
    const std::string_view utf8 = pane.utf8View();
    const std::size_t start = utf8OffsetOfCharIndex(utf8, startChar);
    const std::size_t end = start + utf8OffsetOfCharIndex(utf8.substr(start), lengthChars);
    pane.SendScintilla(TextPane::SCI_SETSEL, static_cast<unsigned long>(start),
                       static_cast<long>(end));
    pane.SendScintilla(TextPane::SCI_SCROLLCARET);
}

void markSelection(TextPane& pane) {
    const long start = pane.SendScintilla(TextPane::SCI_GETSELECTIONSTART);
    const long end = pane.SendScintilla(TextPane::SCI_GETSELECTIONEND);
    pane.SendScintilla(TextPane::SCI_INDICSETSTYLE, static_cast<unsigned long>(kMarkIndicator),
                       static_cast<long>(TextPane::INDIC_TEXTFORE));
    pane.SendScintilla(TextPane::SCI_INDICSETFORE, static_cast<unsigned long>(kMarkIndicator),
                       kDarkRed);
    pane.SendScintilla(TextPane::SCI_SETINDICATORCURRENT,
                       static_cast<unsigned long>(kMarkIndicator));
    if (end > start) {
        pane.SendScintilla(TextPane::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start),
                           end - start);
    }
}

bool isMarked(const TextPane& pane, std::size_t utf8Offset) {
    return pane.SendScintilla(TextPane::SCI_INDICATORVALUEAT,
                              static_cast<unsigned long>(kMarkIndicator),
                              static_cast<long>(utf8Offset)) != 0;
}

}  // namespace talmir
