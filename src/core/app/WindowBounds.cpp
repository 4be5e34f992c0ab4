#include "app/WindowBounds.h"

#include "app/ShellKeys.h"

#include <algorithm>
#include <cmath>

namespace talmir::app {

namespace {

constexpr double kTwipsPerInch = 1440;
// Far beyond any screen, far inside int.
constexpr double kMaxPixels = 1'000'000;

double usableDpi(double dotsPerInch) {
    return dotsPerInch > 0 ? dotsPerInch : 96;
}

}  // namespace

int twipsToPixels(double twips, double dotsPerInch) {
    dotsPerInch = usableDpi(dotsPerInch);
    double pixels = std::round(twips * dotsPerInch / kTwipsPerInch);
    if (!std::isfinite(pixels)) {
        pixels = 0;
    }
    return static_cast<int>(std::clamp(pixels, -kMaxPixels, kMaxPixels));
}

double pixelsToTwips(int pixels, double dotsPerInch) {
    dotsPerInch = usableDpi(dotsPerInch);
    return std::round(pixels * kTwipsPerInch / dotsPerInch);
}

PixelRect readWindowBounds(const SettingsStore& store, double dotsPerInch) {
    auto read = [&](std::string_view key, double fallback) {
        return twipsToPixels(store.getNumber(kEditfrmSection, key, fallback), dotsPerInch);
    };
    PixelRect r;
    r.x = read("Left", kDefaultLeftTwips);
    r.y = read("Top", kDefaultTopTwips);
    r.width = std::max(0, read("Width", kDefaultWidthTwips));
    r.height = std::max(0, read("Height", kDefaultHeightTwips));
    return r;
}

void writeWindowBounds(SettingsStore& store, const PixelRect& bounds, double dotsPerInch) {
    store.setNumber(kEditfrmSection, "Left", pixelsToTwips(bounds.x, dotsPerInch));
    store.setNumber(kEditfrmSection, "Top", pixelsToTwips(bounds.y, dotsPerInch));
    store.setNumber(kEditfrmSection, "Width", pixelsToTwips(bounds.width, dotsPerInch));
    store.setNumber(kEditfrmSection, "Height", pixelsToTwips(bounds.height, dotsPerInch));
}

}  // namespace talmir::app
