#pragma once
// The program's folders as this system reports them.

#include "core/app/Folders.h"

#include <QString>

namespace talmir {

// `AppDir` is the program's folder when it can be written; an installed copy
// (a folder the user cannot write) uses the per-user data folder instead, so work
// files and tables still work. `TempDir` is the system's temporary folder.
app::Folders detectFolders();

// The folders for a program that lives in `programDir`.
app::Folders foldersFor(const QString& programDir);

// Whether files can be created in `folder` (tried, not guessed from permissions).
bool isWritableFolder(const QString& folder);

}  // namespace talmir
