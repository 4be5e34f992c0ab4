#include "gui/base/PlatformFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace talmir {

bool isWritableFolder(const QString& folder) {
    if (folder.isEmpty() || !QDir(folder).exists()) {
        return false;
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".talmir-probe-XXXXXX")));
    return probe.open();
}

app::Folders detectFolders() {
    return foldersFor(QCoreApplication::applicationDirPath());
}

app::Folders foldersFor(const QString& programDir) {
    app::Folders folders;
    QString appDir = programDir;
    // An installed program (share/talmir beside its bin folder) never writes
    // under its prefix, even where it could.
    const bool installed = QDir(programDir + QStringLiteral("/../share/talmir")).exists();
    if (installed || !isWritableFolder(appDir)) {
        appDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(appDir);
    }
    folders.AppDir = app::withTrailingSlash(appDir.toStdString());
    QString temp = QDir::tempPath();
    while (temp.size() > 1 && temp.endsWith(QLatin1Char('/'))) {
        temp.chop(1);
    }
    folders.TempDir = temp.toStdString();
    return folders;
}

}  // namespace talmir
