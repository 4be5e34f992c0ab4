#pragma once
// The editor font, kept in section "Font" as "FontName", "FontSize" (points),
// "FontBold" and "FontItalic".

#include "core/app/SettingsStore.h"

#include <string>

namespace talmir::app {

struct FontSettings {
    std::string name;
    double sizePt = 12;
    bool bold = false;
    bool italic = false;
};

// Reads the font. The pane at start-up reads a missing "FontBold" as false; the
// font command and printing read it as true, so they pass their own default. A
// size that is not a usable point size (0, negative, absurd) reads as 12.
FontSettings readFontSettings(const SettingsStore& store, bool boldDefault);

void writeFontSettings(SettingsStore& store, const FontSettings& font);

}  // namespace talmir::app
