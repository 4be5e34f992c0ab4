// The three matchers of the editor (search, replace, control characters) and the
// character positions they report. Shift-JIS samples: "穴" = 8C 8A, "孔" = 8D 45,
// "ソ" = 83 5C (its trail byte is "\"), "あ" = 82 A0.

#include "core/editor/ControlChars.h"
#include "core/editor/Find.h"
#include "core/editor/Replace.h"
#include "core/editor/TextChars.h"
#include "core/text/ShiftJis.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace talmir::editor {
namespace {

const std::string kAna = "\x8C\x8A";
const std::string kKou = "\x8D\x45";
const std::string kSo = "\x83\x5C";
const std::string kA = "\x82\xA0";

struct FindCase {
    const char* name;
    std::string text;
    std::string pattern;
    std::size_t caretChar;
    std::optional<FoundText> want;
};

TEST(FindForward, TableOfCases) {
    const FindCase cases[] = {
        {"match at the caret is skipped", "G01X0\r\nG01Y1", "G01", 0, FoundText{7, 3, 7, 3}},
        {"match right after the caret", "xG01", "G01", 0, FoundText{1, 3, 1, 3}},
        {"repeat from the last match steps on", "G01 G01 G01", "G01", 4, FoundText{8, 3, 8, 3}},
        {"found inside a partial match: aab in xaaab", "xaaab", "aab", 0, FoundText{2, 3, 2, 3}},
        {"05 in 1005", "X1005", "05", 0, FoundText{3, 2, 3, 2}},
        {"lone lead byte is not half of a character", "a\x83\x5C\x83", "\x83", 0,
         FoundText{2, 1, 3, 1}},
        {"no wrap-around", "G01 G02", "G01", 1, std::nullopt},
        {"text ends inside the candidate", "xabc", "cde", 0, std::nullopt},
        {"search text longer than the text", "G0", "G01X", 0, std::nullopt},
        {"empty search text", "G01", "", 0, std::nullopt},
        {"caret past the end", "G01", "1", 9, std::nullopt},
        {"line end counts as two characters", "A\r\nB", "B", 0, FoundText{3, 1, 3, 1}},
        {"double-byte character counts as one", kAna + "G01" + "G01", "G01", 0,
         FoundText{1, 3, 2, 3}},
        {"double-byte search text", kA + kA + "x" + kA, kA + "x", 0, FoundText{1, 2, 2, 3}},
        {"never matches a trail byte", "a" + kSo + "\\", "\\", 0, FoundText{2, 1, 3, 1}},
        {"broken lead byte does not swallow a line end", "x\x81\r\nG", "\r\nG", 0,
         FoundText{2, 3, 2, 3}},
        {"lone lead byte at the end", "ab\x81", "\x81", 0, FoundText{2, 1, 2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got = findForward(c.text, c.pattern, c.caretChar);
        ASSERT_EQ(got.has_value(), c.want.has_value());
        if (got) {
            EXPECT_EQ(got->startChar, c.want->startChar);
            EXPECT_EQ(got->lengthChars, c.want->lengthChars);
            EXPECT_EQ(got->offsetBytes, c.want->offsetBytes);
            EXPECT_EQ(got->lengthBytes, c.want->lengthBytes);
        }
    }
}

TEST(FindForward, MessagesAndHistory) {
    EXPECT_EQ(notFoundMessage("G01"), "検索文字[ G01 ]が見つかりませんでした。");
    SearchHistory history;
    EXPECT_TRUE(history.remember("G01"));
    EXPECT_TRUE(history.remember("穴"));
    EXPECT_FALSE(history.remember("G01"));
    EXPECT_EQ(history.items(), (std::vector<std::string>{"G01", "穴"}));
}

TEST(TextChars, CharIndexAndOffsetAgree) {
    // a | 穴 | \x81 (broken) | CR | LF | ソ
    const std::string text = "a" + kAna + "\x81\r\n" + kSo;
    const std::size_t offsets[] = {0, 1, 3, 4, 5, 6, 8};
    for (std::size_t index = 0; index < std::size(offsets); ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(offsetOfCharIndex(text, index), offsets[index]);
        EXPECT_EQ(charIndexOfOffset(text, offsets[index]), index);
    }
    EXPECT_EQ(charIndexOfOffset(text, 2), 1u);  // the trail byte of 穴
    EXPECT_EQ(offsetOfCharIndex(text, 99), text.size());
}

TEST(TextChars, CountLikeTheDisplayCodec) {
    // The pane shows the decoded text: its code points must be our characters.
    const std::string samples[] = {
        "a" + kAna + "\x81\r\n" + kSo,
        "\x81",
        "\x81\x7F",
        "\xFD\xFE\xFF\x80\xA0",
        "\x85\x40",  // a pair the code page leaves empty
        "\xA6\xB1" + kA + "\xE0",
    };
    for (const auto& text : samples) {
        SCOPED_TRACE(text);
        const std::string utf8 = text::shiftJisToUtf8(text);
        std::size_t codePoints = 0;
        for (const char c : utf8) {
            codePoints += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }
        EXPECT_EQ(charIndexOfOffset(text, text.size()), codePoints);
    }
}

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string find;
    std::string replacement;
    std::string want;
    std::size_t count;
};

TEST(ReplaceAll, TableOfCases) {
    const ReplaceCase cases[] = {
        {"one character to two", "X1X2", "X", "X-", "X-1X-2", 2},
        {"found inside a partial match: aab in aaab", "aaab", "aab", "Z", "aZ", 1},
        {"05 in 1005", "X1005Y05", "05", "5", "X105Y5", 2},
        {"no overlapping: aa in aaa", "aaa", "aa", "b", "ba", 1},
        {"stops at the first differing character", "axabc", "abc", "Z", "axZ", 1},
        {"delete", "G01;;G02;;", ";;", "", "G01G02", 2},
        {"empty search text", "G01", "", "Z", "G01", 0},
        {"text ends inside the candidate", "xab", "abc", "Z", "xab", 0},
        {"adjacent matches", "ababab", "ab", "ba", "bababa", 3},
        {"line ends", "A\r\nB\r\n", "\r\n", ";\r\n", "A;\r\nB;\r\n", 2},
        {"double-byte characters", kAna + "G" + kAna, kAna, kKou, kKou + "G" + kKou, 2},
        {"trail byte of ソ is not a backslash", kSo + "\\", "\\", "/", kSo + "/", 1},
        {"invalid bytes pass through", "\x81\r\n\x80\xFF\xFD", "\r\n", ";", "\x81;\x80\xFF\xFD", 1},
        {"single invalid byte as the search text",
         "a\xFF"
         "b\xFF",
         "\xFF", "_", "a_b_", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Replaced got = replaceAll(c.text, c.find, c.replacement);
        EXPECT_EQ(got.text, c.want);
        EXPECT_EQ(got.count, c.count);
    }
    EXPECT_EQ(replacedMessage(12), "[ 12 ]個を変換しました。");
}

struct ControlCase {
    const char* name;
    std::string text;
    std::string findEntry;
    std::string replacementEntry;
    std::string want;
    std::size_t count;
};

TEST(ConvertControlChars, TableOfCases) {
    const ControlCase cases[] = {
        {"delete CrLf joins the lines", "A\r\nB\r\nC", "CrLf", "", "ABC", 2},
        {"Cr to Lf on CR LF text", "A\r\nB\r\n", "Cr", "Lf", "A\n\nB\n\n", 2},
        {"Lf to CrLf", "A\nB\n", "Lf", "CrLf", "A\r\nB\r\n", 2},
        {"found after a partial match", "axabc", "abc", "Z", "axZ", 1},
        {"CR CR LF holds a CrLf", "A\r\r\nB", "CrLf", "", "A\rB", 1},
        {"typed % deletes every %", "%\r\nO1\r\n%", "%", "", "\r\nO1\r\n", 2},
        {"text ends inside the candidate", "ab\r", "CrLf", "", "ab\r", 0},
        {"keywords are case-sensitive", "crlf\r\n", "crlf", "", "\r\n", 1},
        {"empty search text", "A\r\n", "", "x", "A\r\n", 0},
        {"double-byte literal", kAna + "1" + kAna + "2", kAna + "1", kKou, kKou + kAna + "2", 1},
        {"broken lead byte before CR LF", "\x81\r\n", "CrLf", "Lf", "\x81\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Replaced got = convertControlChars(c.text, controlKeyword(c.findEntry),
                                                 controlKeyword(c.replacementEntry));
        EXPECT_EQ(got.text, c.want);
        EXPECT_EQ(got.count, c.count);
    }
    EXPECT_EQ(controlReplacedMessage(3), "[ 3 ]個を変換しました。");
    EXPECT_EQ(controlDeletedMessage(0), "[ 0 ]個を削除しました。");
}

TEST(ConvertControlChars, KeywordMapping) {
    const std::pair<std::string, std::string> cases[] = {
        {"CrLf", "\r\n"}, {"Cr", "\r"}, {"Lf", "\n"}, {"CRLF", "CRLF"},
        {"lf", "lf"},     {"%", "%"},   {"", ""},     {"CrLf ", "CrLf "},
    };
    for (const auto& [entry, want] : cases) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(controlKeyword(entry), want);
    }
}

}  // namespace
}  // namespace talmir::editor
