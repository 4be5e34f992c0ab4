#pragma once
// Files for window tests: a scratch folder that serves as `AppDir`, and byte-exact
// file helpers.

#include "core/app/Folders.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <string>

namespace talmir::testing {

class ScratchFolders {
public:
    ScratchFolders();

    // AppDir ends in "/"; TempDir is a separate folder inside the scratch folder.
    const app::Folders& folders() const { return m_folders; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString appFile(const QString& name) const;

    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
    app::Folders m_folders;
};

void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

// The bytes of a Shift-JIS text as Qt holds bytes.
QByteArray bytesOf(const std::string& text);
// A file of the talmir-convert golden cases (tests/golden/`relative`); a missing
// one stops the test program.
QByteArray goldenBytes(const QString& relative);

}  // namespace talmir::testing
