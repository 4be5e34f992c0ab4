#include "core/app/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmir::app {
namespace {

std::vector<std::string> slots(const RecentFiles& recent) {
    std::vector<std::string> out;
    for (int k = 0; k < kRecentCount; ++k) {
        out.push_back(recent.slot(k));
    }
    return out;
}

struct RecordCase {
    const char* name;
    std::vector<std::string> opened;  // paths recorded in this order
    std::vector<std::string> want;    // slots afterwards, newest first
};

class RecentFilesRecord : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecentFilesRecord, KeepsTheListAndTheStoreInStep) {
    MemorySettingsStore store;
    RecentFiles recent;
    recent.load(store);
    for (const auto& path : GetParam().opened) {
        recent.record(store, path);
    }
    EXPECT_EQ(slots(recent), GetParam().want);
    // What the next start reads is what the menu shows now.
    RecentFiles reloaded;
    reloaded.load(store);
    EXPECT_EQ(slots(reloaded), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RecentFilesRecord,
    ::testing::Values(
        RecordCase{"FirstFile", {"/a"}, {"/a", "", "", "", ""}},
        RecordCase{"SixthPushesOldestOut",
                   {"/1", "/2", "/3", "/4", "/5", "/6"},
                   {"/6", "/5", "/4", "/3", "/2"}},
        // Slots are /5 /4 /3 /2 /1; reopening the third (/3) brings it to the front
        // and leaves the fourth and fifth where they were.
        RecordCase{"ReopenThirdKeepsFourthAndFifth",
                   {"/1", "/2", "/3", "/4", "/5", "/3"},
                   {"/3", "/5", "/4", "/2", "/1"}},
        RecordCase{"ReopenNewestChangesNothing", {"/1", "/2", "/2"}, {"/2", "/1", "", "", ""}},
        RecordCase{"ComparisonIsCaseSensitive", {"/a", "/A"}, {"/A", "/a", "", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecentFilesCaption, ShowsTheLastThirtyCharacters) {
    const std::string path45 = "/home/user/programs/2024/customer/part0001.nc";
    ASSERT_EQ(path45.size(), 45u);
    EXPECT_EQ(RecentFiles::caption(0, path45), "&1 " + path45.substr(15));
    EXPECT_EQ(RecentFiles::caption(4, "/a.nc"), "&5 /a.nc");
    // Characters, not bytes: a Japanese path keeps whole characters.
    const std::string japanese =
        "/home/加工/プログラム/部品番号一二三四五六七八九十一二三四五六七八九十.nc";
    const std::string caption = RecentFiles::caption(1, japanese);
    EXPECT_EQ(caption, "&2 ラム/部品番号一二三四五六七八九十一二三四五六七八九十.nc");
}

}  // namespace
}  // namespace talmir::app
