#include "core/app/Folders.h"

namespace talmir::app {

std::string withTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string fileNameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string commandLinePath(std::string_view tail) {
    if (!tail.empty() && tail.front() == '"') {
        tail.remove_prefix(1);
        if (!tail.empty()) {
            tail.remove_suffix(1);
        }
    }
    return std::string(tail);
}

}  // namespace talmir::app
