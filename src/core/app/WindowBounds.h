#pragma once
// The editor window's bounds, kept in the store as "Left", "Top", "Width" and
// "Height" of section "Editfrm" in twips (1/1440 inch), and their pixel form.

#include "core/app/SettingsStore.h"

#include <string_view>

namespace talmir::app {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// Twips to pixels at `dotsPerInch`, rounded to the nearest pixel. Values far
// outside any screen (a damaged settings file) are clamped instead of overflowing.
int twipsToPixels(double twips, double dotsPerInch);
double pixelsToTwips(int pixels, double dotsPerInch);

// Reads the bounds (defaults 0, 0, 8000, 7000 twips) as pixels. A size that reads
// as 0 or less stays 0: the window system gives the window its smallest size.
PixelRect readWindowBounds(const SettingsStore& store, double dotsPerInch);
void writeWindowBounds(SettingsStore& store, const PixelRect& bounds, double dotsPerInch);

// Bounds in twips, as a window's defaults.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The same keys for another window, in its own `section` ("Gfrm") with its own
// defaults.
PixelRect readWindowBounds(const SettingsStore& store, double dotsPerInch, std::string_view section,
                           const TwipsRect& defaults);
void writeWindowBounds(SettingsStore& store, const PixelRect& bounds, double dotsPerInch,
                       std::string_view section);

}  // namespace talmir::app
