#include "core/app/SettingsStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace talmir::app {
namespace {

constexpr std::string_view kSection = "Editfrm";

struct NumberCase {
    const char* name;
    std::optional<std::string> stored;  // nullopt: the key is absent
    double want;                        // read with the default 8000
};

class GetNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(GetNumberTest, Reads) {
    MemorySettingsStore store;
    if (GetParam().stored) {
        store.setText(kSection, "Width", *GetParam().stored);
    }
    EXPECT_EQ(store.getNumber(kSection, "Width", 8000), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(Settings, GetNumberTest,
                         testing::Values(NumberCase{"AbsentGivesTheDefault", std::nullopt, 8000},
                                         NumberCase{"Whole", "9600", 9600},
                                         NumberCase{"Negative", "-120", -120},
                                         NumberCase{"Decimal", "7012.5", 7012.5},
                                         NumberCase{"ExponentForm", "1E-05", 0.00001},
                                         NumberCase{"GarbageReadsAsZero", "wide", 0},
                                         NumberCase{"EmptyReadsAsZero", "", 0},
                                         NumberCase{"LeadingNumberOfMixedText", "640px", 640},
                                         NumberCase{"OverflowGivesTheDefault", "1E999", 8000}),
                         [](const testing::TestParamInfo<NumberCase>& info) {
                             return info.param.name;
                         });

struct BoolCase {
    const char* name;
    std::optional<std::string> stored;
    bool defaultValue;
    bool want;
};

class GetBoolTest : public testing::TestWithParam<BoolCase> {};

TEST_P(GetBoolTest, Reads) {
    MemorySettingsStore store;
    if (GetParam().stored) {
        store.setText("Talmir", "Help", *GetParam().stored);
    }
    EXPECT_EQ(store.getBool("Talmir", "Help", GetParam().defaultValue), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GetBoolTest,
    testing::Values(BoolCase{"AbsentGivesTheDefault", std::nullopt, true, true},
                    BoolCase{"True", "True", false, true}, BoolCase{"False", "False", true, false},
                    BoolCase{"AnyCase", "tRUE", false, true},
                    BoolCase{"UpperFalse", "FALSE", true, false},
                    BoolCase{"BlanksAround", " True ", false, true},
                    BoolCase{"MinusOneIsTrue", "-1", false, true},
                    BoolCase{"ZeroIsFalse", "0", true, false},
                    BoolCase{"OtherNumbersAreTrue", "2", false, true},
                    BoolCase{"GarbageGivesTheDefault", "yes", true, true},
                    BoolCase{"GarbageGivesTheDefaultFalse", "yes", false, false},
                    BoolCase{"NumberWithTextIsGarbage", "1x", false, false},
                    BoolCase{"EmptyGivesTheDefault", "", true, true}),
    [](const testing::TestParamInfo<BoolCase>& info) { return info.param.name; });

TEST(SettingsStore, WritesNumbersAndBooleansAsTheyReadBack) {
    MemorySettingsStore store;
    store.setNumber(kSection, "Left", 1234);
    store.setNumber(kSection, "Top", -0.5);
    store.setSingle("Font", "FontSize", 9.1f);
    store.setBool("Talmir", "Help", false);
    EXPECT_EQ(store.value(kSection, "Left"), "1234");
    EXPECT_EQ(store.value(kSection, "Top"), "-0.5");
    EXPECT_EQ(store.value("Font", "FontSize"), "9.1");
    EXPECT_EQ(store.value("Talmir", "Help"), "False");
    EXPECT_EQ(store.getNumber(kSection, "Top", 0), -0.5);
    EXPECT_EQ(static_cast<float>(store.getNumber("Font", "FontSize", 0)), 9.1f);
    EXPECT_FALSE(store.getBool("Talmir", "Help", true));
}

TEST(SettingsStore, TextsAreKeptAsTheyAre) {
    MemorySettingsStore store;
    EXPECT_EQ(store.getText("Talmir", "AppName0", ""), "");
    store.setText("Talmir", "AppName0", "/opt/ｴﾃﾞｨﾀ/bin/run, \"x\"");
    EXPECT_EQ(store.getText("Talmir", "AppName0", "unused"), "/opt/ｴﾃﾞｨﾀ/bin/run, \"x\"");
}

}  // namespace
}  // namespace talmir::app
