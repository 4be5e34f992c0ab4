#pragma once
// The file a saved plot image goes to.

#include <string>
#include <string_view>

namespace talmir::graphic {

// The chosen name with its extension replaced by `extension` ("bmp", "jpg"): the
// file name up to and including its first "." followed by the extension, or the
// name + "." + extension when it has no dot ("plan.old.png" gives "plan.bmp").
// Only the last part of the path is cut: a dot in a folder name stays where it is.
std::string imageFileName(std::string_view chosen, std::string_view extension);

}  // namespace talmir::graphic
