#include "core/app/BandLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace talmir::app {
namespace {

struct ReadCase {
    const char* name;
    std::map<std::string, std::string> stored;  // "Editfrm" keys
    std::array<std::string, 4> want;
    std::array<bool, 4> wantNewRow{};
};

class BandLayoutRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(BandLayoutRead, GivesEveryPanelOneBand) {
    MemorySettingsStore store;
    for (const auto& [key, value] : GetParam().stored) {
        store.setText("Editfrm", key, value);
    }
    const BandLayout layout = readBandLayout(store);
    EXPECT_EQ(layout.keys, GetParam().want);
    EXPECT_EQ(layout.newRow, GetParam().wantNewRow);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BandLayoutRead,
    ::testing::Values(ReadCase{"EmptyStore", {}, {"TLB1", "TLB2", "PCT1", "PCT2"}},
                      ReadCase{"Reordered",
                               {{"Bands1_Cotrol", "PCT1"},
                                {"Bands2_Cotrol", "TLB1"},
                                {"Bands3_Cotrol", "PCT2"},
                                {"Bands4_Cotrol", "TLB2"},
                                {"Bands3_NewRow", "True"},
                                {"Bands1_NewRow", "True"}},
                               {"PCT1", "TLB1", "PCT2", "TLB2"},
                               {false, false, true, false}},
                      ReadCase{"UnknownValueKeepsDesignedPanel",
                               {{"Bands2_Cotrol", "XYZ"}},
                               {"TLB1", "TLB2", "PCT1", "PCT2"}},
                      ReadCase{"DuplicateGetsTheMissingPanel",
                               {{"Bands1_Cotrol", "PCT2"}, {"Bands4_Cotrol", "PCT2"}},
                               {"PCT2", "TLB2", "PCT1", "TLB1"}},
                      ReadCase{"NumericNewRowAndGarbage",
                               {{"Bands2_NewRow", "-1"}, {"Bands4_NewRow", "maybe"}},
                               {"TLB1", "TLB2", "PCT1", "PCT2"},
                               {false, true, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

// The graphic frame's strip has another panel set; the editor's panels are
// strangers to it.
TEST(BandLayout, ReadsAnotherStripWithItsOwnPanels) {
    constexpr BandKeys kGraph{"TLB1", "TLB2", "TLB3", "PCT1"};
    MemorySettingsStore store;
    EXPECT_EQ(readBandLayout(store, "Grph", kGraph), designedLayout(kGraph));
    store.setText("Grph", "Bands1_Cotrol", "TLB3");
    store.setText("Grph", "Bands2_Cotrol", "PCT2");
    const BandLayout layout = readBandLayout(store, "Grph", kGraph);
    const std::array<std::string, 4> want{"TLB3", "TLB2", "TLB1", "PCT1"};
    EXPECT_EQ(layout.keys, want);
}

TEST(BandLayout, RoundTripsThroughTheStore) {
    MemorySettingsStore store;
    BandLayout layout;
    layout.keys = {"TLB2", "PCT2", "TLB1", "PCT1"};
    layout.newRow = {false, true, false, true};
    writeBandLayout(store, layout);
    EXPECT_EQ(store.getText("Editfrm", "Bands1_Cotrol", ""), "TLB2");
    EXPECT_EQ(store.getText("Editfrm", "Bands1_NewRow", ""), "False");
    EXPECT_EQ(store.getText("Editfrm", "Bands4_NewRow", ""), "True");
    EXPECT_EQ(readBandLayout(store), layout);
}

}  // namespace
}  // namespace talmir::app
