#pragma once
// The editor window's bounds, kept in the store as "Left", "Top", "Width" and
// "Height" of section "Editfrm" in twips (1/1440 inch), and their pixel form.

#include "app/SettingsStore.h"

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

}  // namespace talmir::app
