#include "core/graphic/ImageFileName.h"

namespace talmir::graphic {

std::string imageFileName(std::string_view chosen, std::string_view extension) {
    const auto slash = chosen.find_last_of('/');
    const auto nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = chosen.find('.', nameStart);
    std::string name(chosen.substr(0, dot == std::string_view::npos ? chosen.size() : dot));
    name += '.';
    name += extension;
    return name;
}

}  // namespace talmir::graphic
