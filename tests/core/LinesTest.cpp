#include "text/Lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmir::text {
namespace {

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    LineReader reader(text);
    for (std::string_view line; reader.next(line);) {
        lines.emplace_back(line);
    }
    return lines;
}

TEST(LineReader, EveryLineEndStyleEndsALine) {
    const std::vector<std::string> want{"G00X0Y0", "", "M30"};
    EXPECT_EQ(linesOf("G00X0Y0\r\n\r\nM30"), want);
    EXPECT_EQ(linesOf("G00X0Y0\n\nM30\n"), want);
    EXPECT_EQ(linesOf("G00X0Y0\r\rM30\r"), want);
    EXPECT_EQ(linesOf("G00X0Y0\r\n\nM30\r\n"), want);
    EXPECT_TRUE(linesOf("").empty());
    EXPECT_EQ(linesOf("\n"), std::vector<std::string>{""});
}

TEST(SaveWithLineEnd, DropsEmptyLinesAndKeepsBlankOnes) {
    const std::string text = "G00X0Y0\r\n\r\n   \r\nM30";
    EXPECT_EQ(saveWithLineEnd(text, LineEnd::CrLf), "G00X0Y0\r\n   \r\nM30\r\n");
    EXPECT_EQ(saveWithLineEnd(text, LineEnd::Lf), "G00X0Y0\n   \nM30\n");
    EXPECT_EQ(saveWithLineEnd(text, LineEnd::Cr), "G00X0Y0\r   \rM30\r");
    EXPECT_EQ(saveWithLineEnd("", LineEnd::CrLf), "");
}

TEST(PaneSnapshot, JoinsWithCrLfAndNothingAfterTheLast) {
    EXPECT_EQ(paneSnapshot("A\nB\rC"), "A\r\nB\r\nC");
    EXPECT_EQ(paneSnapshot("A\n\nB\n"), "A\r\n\r\nB");
}

}  // namespace
}  // namespace talmir::text
