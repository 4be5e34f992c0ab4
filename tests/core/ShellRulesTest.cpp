// Path, window-bounds and font rules of the editor shell.
#include "core/app/Folders.h"
#include "core/app/FontSettings.h"
#include "core/app/WindowBounds.h"

#include <gtest/gtest.h>

namespace talmir::app {
namespace {

TEST(Folders, PathRules) {
    EXPECT_EQ(withTrailingSlash("/opt/talmir"), "/opt/talmir/");
    EXPECT_EQ(withTrailingSlash("/opt/talmir/"), "/opt/talmir/");
    EXPECT_EQ(fileNameOf("/home/u/加工.nc"), "加工.nc");
    EXPECT_EQ(fileNameOf("part.nc"), "part.nc");
    EXPECT_EQ(fileNameOf("/home/u/"), "");
    EXPECT_EQ(commandLinePath("\"/home/u/my part.nc\""), "/home/u/my part.nc");
    EXPECT_EQ(commandLinePath("/home/u/my part.nc"), "/home/u/my part.nc");
    EXPECT_EQ(commandLinePath("\""), "");
    EXPECT_EQ(commandLinePath(""), "");
}

TEST(WindowBounds, DefaultsAndRoundTrip) {
    MemorySettingsStore store;
    // 8000 x 7000 twips at 96 dpi.
    EXPECT_EQ(readWindowBounds(store, 96), (PixelRect{0, 0, 533, 467}));
    writeWindowBounds(store, PixelRect{10, 20, 533, 467}, 96);
    EXPECT_EQ(store.getText("Editfrm", "Left", ""), "150");
    EXPECT_EQ(store.getText("Editfrm", "Width", ""), "7995");
    EXPECT_EQ(readWindowBounds(store, 96), (PixelRect{10, 20, 533, 467}));
}

TEST(WindowBounds, GarbageNeverOverflows) {
    MemorySettingsStore store;
    store.setText("Editfrm", "Left", "1e300");
    store.setText("Editfrm", "Top", "-1e300");
    store.setText("Editfrm", "Width", "abc");
    store.setText("Editfrm", "Height", "-500");
    const PixelRect r = readWindowBounds(store, 96);
    EXPECT_EQ(r.x, 1'000'000);
    EXPECT_EQ(r.y, -1'000'000);
    EXPECT_EQ(r.width, 0);
    EXPECT_EQ(r.height, 0);
    EXPECT_EQ(twipsToPixels(1440, 0), 96);  // an unknown resolution reads as 96 dpi
}

TEST(FontSettings, DefaultsDifferOnlyInBold) {
    MemorySettingsStore store;
    const FontSettings pane = readFontSettings(store, false);
    EXPECT_EQ(pane.name, "ＭＳ 明朝");
    EXPECT_EQ(pane.sizePt, 12);
    EXPECT_FALSE(pane.bold);
    EXPECT_TRUE(readFontSettings(store, true).bold);
    store.setText("Font", "FontSize", "0");
    EXPECT_EQ(readFontSettings(store, false).sizePt, 12);
    writeFontSettings(store, FontSettings{"IPAGothic", 10.5, true, true});
    const FontSettings back = readFontSettings(store, false);
    EXPECT_EQ(back.name, "IPAGothic");
    EXPECT_EQ(back.sizePt, 10.5);
    EXPECT_TRUE(back.bold && back.italic);
}

}  // namespace
}  // namespace talmir::app
