#include "TestFiles.h"

#include <QDir>
#include <QFile>

namespace talmir::testing {

ScratchFolders::ScratchFolders() {
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("app"));
    root.mkpath(QStringLiteral("temp"));
    m_folders.AppDir = (m_dir.filePath(QStringLiteral("app")) + QLatin1Char('/')).toStdString();
    m_folders.TempDir = m_dir.filePath(QStringLiteral("temp")).toStdString();
}

QString ScratchFolders::appFile(const QString& name) const {
    return QString::fromStdString(m_folders.AppDir) + name;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray goldenBytes(const QString& relative) {
    QFile file(QStringLiteral(TALMIR_GOLDEN_DIR "/") + relative);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("missing golden file %s", qPrintable(relative));
    }
    return file.readAll();
}

}  // namespace talmir::testing
