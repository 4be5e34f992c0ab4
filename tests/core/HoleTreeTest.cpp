#include "core/export/HoleTree.h"

#include <gtest/gtest.h>

#include <string>

namespace talmir::exporters {
namespace {

std::string lines(std::initializer_list<const char*> list) {
    std::string text;
    for (const char* line : list) {
        text += line;
        text += "\r\n";
    }
    return text;
}

struct TreeCase {
    const char* name;
    std::string holes;
    std::string rebuilt;  // empty: the build fails
};

const TreeCase kTreeCases[] = {
    {"tools in order", lines({"T01C1.0", "T02C2.0", "T01", "X1.Y1.", "T02", "X2.Y2."}),
     lines({"T01C1.0", "T02C2.0", "T01", "X1.Y1.", "T02", "X2.Y2."})},
    {"a tool selected twice gathers its holes, other lines are dropped",
     lines({"%", "T01C1.0", "T02C2.0", "T01", "X1.", "T02", "Y2.", "T01", "X3.Y3.", "M30"}),
     lines({"T01C1.0", "T02C2.0", "T01", "X1.", "X3.Y3.", "T02", "Y2."})},
    {"a repeated definition keeps one node and takes the new diameter",
     lines({"T01C1.0", "T01", "X1.Y1.", "T01C1.5", "X2.Y2."}),
     lines({"T01C1.5", "T01", "X1.Y1.", "X2.Y2."})},
    {"a comment holding C defines a tool", lines({"(CUT)", "T01C1.0", "T01", "X1."}),
     lines({"(CUT)", "T01C1.0", "(", "T01", "X1."})},
    {"selection of an undefined tool", lines({"T01C1.0", "T02", "X1.Y1."}), ""},
    {"hole before the first selection", lines({"T01C1.0", "X1.Y1."}), ""},
    {"empty code", lines({"C1.0"}), ""},
    {"code with a slash", lines({"T/1C1.0"}), ""},
    {"code with a backslash", lines({"T\\1C1.0"}), ""},
    {"code climbing out", lines({"..C1.0"}), ""},
    {"code with dots inside", lines({"T..1C1.0"}), ""},
    {"code with a control character",
     lines({"T\x01"
            "1C1.0"}),
     ""},
};

TEST(HoleTree, BuildAndRebuild) {
    for (const TreeCase& c : kTreeCases) {
        SCOPED_TRACE(c.name);
        const auto nodes = holeTree(c.holes);
        if (c.rebuilt.empty()) {
            ASSERT_FALSE(nodes.ok());
            EXPECT_EQ(nodes.failure().description, "エラーが発生しました");
            continue;
        }
        ASSERT_TRUE(nodes.ok()) << nodes.failure().description;
        EXPECT_EQ(holeText(nodes.value()), c.rebuilt);
    }
}

TEST(HoleTree, NodesHoldCodeDefinitionAndLines) {
    const auto nodes = holeTree("T01C1.0\nT02C2.0\rT01\nX1.Y1.\r\nT02\nX2.Y2.");
    ASSERT_TRUE(nodes.ok());
    ASSERT_EQ(nodes.value().size(), 2u);
    EXPECT_EQ(nodes.value()[0].code, "T01");
    EXPECT_EQ(nodes.value()[0].definition, "C1.0");
    EXPECT_EQ(nodes.value()[0].lines, "X1.Y1.\r\n");
    EXPECT_EQ(nodes.value()[1].code, "T02");
    EXPECT_EQ(nodes.value()[1].lines, "X2.Y2.\r\n");
}

}  // namespace
}  // namespace talmir::exporters
