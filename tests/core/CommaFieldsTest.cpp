#include "core/text/CommaFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmir::text {
namespace {

using Fields = std::vector<std::string_view>;

struct FieldCase {
    const char* name;
    std::string_view line;
    Fields want;
};

class CommaFieldsTest : public testing::TestWithParam<FieldCase> {};

TEST_P(CommaFieldsTest, Splits) {
    EXPECT_EQ(splitCommaFields(GetParam().line), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommaFieldsTest,
    testing::Values(
        FieldCase{"EmptyLineIsOneEmptyField", "", {""}},
        FieldCase{"OneField", "G01X1.0Y2.0", {"G01X1.0Y2.0"}},
        FieldCase{"SplitsOnCommas", "G00X0Y0,G01X5Y5,M30", {"G00X0Y0", "G01X5Y5", "M30"}},
        FieldCase{"BlanksAroundTrimmed", "  a b \t,\tc  ", {"a b", "c"}},
        FieldCase{"EmptyFields", "a,,b,", {"a", "", "b", ""}}, FieldCase{"OnlyBlanks", "   ", {""}},
        FieldCase{"QuotedFieldHoldsCommas", "\"L1,top\" , 0.250,255", {"L1,top", "0.250", "255"}},
        FieldCase{"QuotedKeepsInnerBlanks", "\" a \"", {" a "}},
        FieldCase{"QuotedEmpty", "\"\",x", {"", "x"}},
        FieldCase{"TextAfterTheClosingQuoteDropped", "\"ab\"cd,x", {"ab", "x"}},
        FieldCase{"UnclosedQuoteRunsToTheLineEnd", "\"ab,cd", {"ab,cd"}},
        FieldCase{"QuoteInsideAFieldIsKept", "a\"b,c", {"a\"b", "c"}},
        FieldCase{"ShiftJisBytesKept", "\x8C\x8A,\x83\x5C", {"\x8C\x8A", "\x83\x5C"}}),
    [](const testing::TestParamInfo<FieldCase>& info) { return info.param.name; });

Fields fieldsOf(std::string_view text, FinalComma finalComma = FinalComma::EmptyField) {
    CommaFieldReader reader(text, finalComma);
    Fields got;
    for (std::string_view field; reader.next(field);) {
        got.push_back(field);
    }
    return got;
}

TEST(CommaFieldReader, LineEndsEndFieldsToo) {
    EXPECT_EQ(fieldsOf("G00X0,G01X1\r\n\r\nT01C1.0\nM30,\r"),
              (Fields{"G00X0", "G01X1", "", "T01C1.0", "M30", ""}));
}

TEST(CommaFieldReader, EmptyTextHasNoFields) {
    CommaFieldReader reader("");
    std::string_view field;
    EXPECT_FALSE(reader.next(field));
}

// Without the field after a comma that ends the text, everything else stays: the
// empty field after a comma at a line end, after a comma and a blank, and the
// commas of a quoted field.
class FinalCommaTest : public testing::TestWithParam<FieldCase> {};

TEST_P(FinalCommaTest, NoFieldAfterTheCommaThatEndsTheText) {
    EXPECT_EQ(fieldsOf(GetParam().line, FinalComma::NoField), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FinalCommaTest,
    testing::Values(FieldCase{"CommaEndsTheText", "A,B,", {"A", "B"}},
                    FieldCase{"CommaBeforeTheLastLineEnd", "A,\r\n", {"A", ""}},
                    FieldCase{"CommaAndABlank", "A, ", {"A", ""}},
                    FieldCase{"QuotedFieldBeforeTheComma", "\"a,b\",", {"a,b"}},
                    FieldCase{"TextAfterTheQuoteBeforeTheComma", "\"a\"b,", {"a"}},
                    FieldCase{"CommaInsideAnUnclosedQuote", "X,\"y,", {"X", "y,"}},
                    FieldCase{"LoneComma", ",", {""}}),
    [](const testing::TestParamInfo<FieldCase>& info) { return info.param.name; });

}  // namespace
}  // namespace talmir::text
