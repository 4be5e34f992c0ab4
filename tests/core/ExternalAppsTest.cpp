#include "core/app/ExternalApps.h"

#include <gtest/gtest.h>

#include <string>

namespace talmir::app {
namespace {

MemorySettingsStore storeWith(int count) {
    MemorySettingsStore store;
    for (int k = 0; k < count; ++k) {
        store.setText("Talmir", "AppTitle" + std::to_string(k), "app" + std::to_string(k));
        store.setText("Talmir", "AppName" + std::to_string(k), "/opt/app " + std::to_string(k));
    }
    return store;
}

TEST(ExternalApps, ListStopsAtTheFirstEmptyTitle) {
    auto store = storeWith(3);
    store.setText("Talmir", "AppTitle5", "orphan");
    ExternalApps apps;
    EXPECT_EQ(apps.loadList(store), 3);
    EXPECT_EQ(apps.row(2).path, "/opt/app 2");
    EXPECT_EQ(storeWith(10).getText("Talmir", "AppTitle9", ""), "app9");
    ExternalApps full;
    EXPECT_EQ(full.loadList(storeWith(10)), 10);
}

TEST(ExternalApps, RemovingThirdOfTenMovesTheRestUpAndEmptiesTheLast) {
    auto store = storeWith(10);
    ExternalApps apps;
    apps.loadList(store);
    apps.remove(store, 2);
    for (int k = 0; k < 9; ++k) {
        const int was = k < 2 ? k : k + 1;
        SCOPED_TRACE(k);
        EXPECT_EQ(store.getText("Talmir", "AppTitle" + std::to_string(k), "?"),
                  "app" + std::to_string(was));
        EXPECT_EQ(store.getText("Talmir", "AppName" + std::to_string(k), "?"),
                  "/opt/app " + std::to_string(was));
    }
    EXPECT_EQ(store.getText("Talmir", "AppTitle9", "?"), "");
    EXPECT_EQ(store.getText("Talmir", "AppName9", "?"), "");
    EXPECT_EQ(apps.loadList(store), 9);
}

TEST(ExternalApps, RowsOutsideTheTableAreIgnored) {
    MemorySettingsStore store;
    ExternalApps apps;
    apps.set(store, 10, "x", "y");
    apps.remove(store, -1);
    EXPECT_TRUE(store.values().empty());
    EXPECT_EQ(apps.row(12).title, "");
}

}  // namespace
}  // namespace talmir::app
