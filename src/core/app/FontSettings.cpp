#include "core/app/FontSettings.h"

#include "core/app/ShellKeys.h"

namespace talmir::app {

FontSettings readFontSettings(const SettingsStore& store, bool boldDefault) {
    FontSettings font;
    font.name = store.getText(kFontSection, "FontName", kDefaultFontName);
    font.sizePt = store.getNumber(kFontSection, "FontSize", kDefaultFontSize);
    if (!(font.sizePt > 0 && font.sizePt <= 1000)) {
        font.sizePt = kDefaultFontSize;
    }
    font.bold = store.getBool(kFontSection, "FontBold", boldDefault);
    font.italic = store.getBool(kFontSection, "FontItalic", false);
    return font;
}

void writeFontSettings(SettingsStore& store, const FontSettings& font) {
    store.setText(kFontSection, "FontName", font.name);
    store.setNumber(kFontSection, "FontSize", font.sizePt);
    store.setBool(kFontSection, "FontBold", font.bold);
    store.setBool(kFontSection, "FontItalic", font.italic);
}

}  // namespace talmir::app
