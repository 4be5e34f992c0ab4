#pragma once
// Work files: fixed names in the application folder through which the windows and
// converters hand text to each other. A command that uses one overwrites it.

#include <string>
#include <string_view>

namespace talmir::editor {

inline constexpr std::string_view kBakDat = "BAK.DAT";      // pane snapshot, or a result
inline constexpr std::string_view kBak1Dat = "BAK1.DAT";    // input snapshot or result
inline constexpr std::string_view kBak2Dat = "BAK2.DAT";    // third file of multi-pass work
inline constexpr std::string_view kBakLower = "bak.dat";    // find-and-replace input
inline constexpr std::string_view kBak1Lower = "bak1.dat";  // find-and-replace output
inline constexpr std::string_view kBakRtf = "bak.rtf";      // control-character input
inline constexpr std::string_view kBak1Rtf = "bak1.rtf";    // control-character output
inline constexpr std::string_view kBakSwap = "BAK.$$$";     // text while a view switches
inline constexpr std::string_view kBakDxf = "BAK.DXF";      // DXF for an external program
inline constexpr std::string_view kLayerRgb = "LAYER.RGB";

// Table folders in the application folder.
inline constexpr std::string_view kCvTblDir = "CVTBL/";
inline constexpr std::string_view kGcodeDir = "Gcode/";
inline constexpr std::string_view kTcodeDir = "Tcode/";
inline constexpr std::string_view kAptDir = "apt/";

// `appDir` always ends in a separator; a name given with a leading separator
// ("\BAK.DAT" in old habits) names the same file.
std::string workFilePath(std::string_view appDir, std::string_view name);

}  // namespace talmir::editor
