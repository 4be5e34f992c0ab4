#include "core/app/WindowBounds.h"

#include "core/app/ShellKeys.h"

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
    return readWindowBounds(
        store, dotsPerInch, kEditfrmSection,
        TwipsRect{kDefaultLeftTwips, kDefaultTopTwips, kDefaultWidthTwips, kDefaultHeightTwips});
}

void writeWindowBounds(SettingsStore& store, const PixelRect& bounds, double dotsPerInch) {
    writeWindowBounds(store, bounds, dotsPerInch, kEditfrmSection);
}

PixelRect readWindowBounds(const SettingsStore& store, double dotsPerInch, std::string_view section,
                           const TwipsRect& defaults) {
    auto read = [&](std::string_view key, double fallback) {
        return twipsToPixels(store.getNumber(section, key, fallback), dotsPerInch);
    };
    PixelRect r;
    r.x = read("Left", defaults.left);
    r.y = read("Top", defaults.top);
    r.width = std::max(0, read("Width", defaults.width));
    r.height = std::max(0, read("Height", defaults.height));
    return r;
}

void writeWindowBounds(SettingsStore& store, const PixelRect& bounds, double dotsPerInch,
                       std::string_view section) {
    store.setNumber(section, "Left", pixelsToTwips(bounds.x, dotsPerInch));
    store.setNumber(section, "Top", pixelsToTwips(bounds.y, dotsPerInch));
    store.setNumber(section, "Width", pixelsToTwips(bounds.width, dotsPerInch));
    store.setNumber(section, "Height", pixelsToTwips(bounds.height, dotsPerInch));
}

}  // namespace talmir::app
