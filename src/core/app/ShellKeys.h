#pragma once
// Sections and keys of the editor window in the settings store. Spelling, case and
// the odd "Cotrol" are exactly what stored settings files carry.

#include <string_view>

namespace talmir::app {

inline constexpr std::string_view kTalmirSection = "Talmir";
inline constexpr std::string_view kEditfrmSection = "Editfrm";
inline constexpr std::string_view kFontSection = "Font";

inline constexpr std::string_view kWebAplKey = "WebApl";
inline constexpr std::string_view kApldirKey = "Apldir";
inline constexpr std::string_view kHelpKey = "Help";

// The browser the store names when none was chosen. It does not exist here; the
// window falls back to the desktop's opener for such a path.
inline constexpr std::string_view kDefaultWebApl =
    "C:\\Program Files\\IntERnet ExplorER\\iexplore.exe";

// Window bounds in twips (1/1440 inch).
inline constexpr double kDefaultLeftTwips = 0;
inline constexpr double kDefaultTopTwips = 0;
inline constexpr double kDefaultWidthTwips = 8000;
inline constexpr double kDefaultHeightTwips = 7000;

inline constexpr std::string_view kDefaultFontName = "ＭＳ 明朝";
inline constexpr double kDefaultFontSize = 12;

}  // namespace talmir::app
