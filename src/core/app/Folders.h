#pragma once
// The program-wide folders, set once at start-up, and the path rules of the shell.
// Paths use "/"; `AppDir` always ends in "/".

#include <string>
#include <string_view>

namespace talmir::app {

struct Folders {
    std::string AppDir;   // work files and table folders; ends in "/"
    std::string TempDir;  // no trailing separator
    // The operating system's folder and its system folder. Linux has neither; the
    // root and the folder of system programs stand in for them.
    std::string WindowsDir = "/";
    std::string SystemDir = "/usr/bin";
};

// `folder` with a "/" appended unless it already ends in one.
std::string withTrailingSlash(std::string folder);

// The part of `path` after its last "/" (the whole path when it has none).
std::string fileNameOf(std::string_view path);

// The document named by the command tail: the whole tail is one path; when it
// starts with a double quote, its first and last characters are dropped.
std::string commandLinePath(std::string_view tail);

}  // namespace talmir::app
