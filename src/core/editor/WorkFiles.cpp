#include "core/editor/WorkFiles.h"

namespace talmir::editor {

std::string workFilePath(std::string_view appDir, std::string_view name) {
    while (!name.empty() && (name.front() == '/' || name.front() == '\\')) {
        name.remove_prefix(1);
    }
    std::string path(appDir);
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path.append(name);
    return path;
}

}  // namespace talmir::editor
