#include "gui/base/FileIo.h"

#include "core/text/Lines.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <new>

namespace talmir {

namespace {

Failure fileNotFound() {
    return Failure{53, "ファイルが見つかりません。"};
}

Failure accessError() {
    return Failure{75, "パス/ファイル アクセス エラーです。"};
}

Failure diskFull() {
    return Failure{61, "ディスクの空き容量が不足しています。"};
}

}  // namespace

Result<std::string> readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return fileNotFound();
    }
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return accessError();
    }
    const qint64 size = file.size();
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return outOfMemoryFailure();
    }
    qint64 done = 0;
    while (done < size) {
        const qint64 n = file.read(bytes.data() + done, size - done);
        if (n <= 0) {
            return accessError();
        }
        done += n;
    }
    return bytes;
}

std::optional<Failure> writeFileBytes(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return accessError();
    }
    const char* data = bytes.data();
    qint64 left = static_cast<qint64>(bytes.size());
    while (left > 0) {
        const qint64 n = file.write(data, left);
        if (n <= 0) {
            file.cancelWriting();
            return diskFull();
        }
        data += n;
        left -= n;
    }
    if (!file.commit()) {
        return diskFull();
    }
    return std::nullopt;
}

bool hasOnlyCrLf(std::string_view bytes) {
    for (std::size_t pos = bytes.find_first_of("\r\n"); pos != std::string_view::npos;
         pos = bytes.find_first_of("\r\n", pos + 2)) {
        if (bytes[pos] == '\n' || pos + 1 == bytes.size() || bytes[pos + 1] != '\n') {
            return false;
        }
    }
    return true;
}

void writeSnapshotFileOrThrow(const QString& path, std::string_view bytes) {
    if (hasOnlyCrLf(bytes)) {
        writeFileBytesOrThrow(path, bytes);
    } else {
        writeFileBytesOrThrow(path, text::paneSnapshot(bytes));
    }
}

std::string readFileBytesOrThrow(const QString& path) {
    auto bytes = readFileBytes(path);
    if (!bytes) {
        throw bytes.failure();
    }
    return std::move(bytes).value();
}

void writeFileBytesOrThrow(const QString& path, std::string_view bytes) {
    if (auto failure = writeFileBytes(path, bytes)) {
        throw *failure;
    }
}

}  // namespace talmir
