#pragma once
// Whole-file reads and writes of document bytes, with the program's own failures.
// Files are bytes: nothing is decoded here.

#include "core/Failure.h"

#include <QString>

#include <string>
#include <string_view>

namespace talmir {

// The whole file. A missing file fails with 53, any other open or read failure
// with 75; a file too large for memory with 7.
Result<std::string> readFileBytes(const QString& path);

// Writes `bytes` as the new content of `path` through a temporary file that
// replaces the old one only once everything is written: a failed write leaves the
// old file whole. Returns the failure, if any.
std::optional<Failure> writeFileBytes(const QString& path, std::string_view bytes);

// Writes the snapshot of a pane holding `bytes` (its lines joined with CR LF) to
// `path`. A text whose line ends are all CR LF is its own snapshot and is written
// without a copy.
void writeSnapshotFileOrThrow(const QString& path, std::string_view bytes);

// Whether every line end of `bytes` is CR LF (no lone CR, no lone LF).
bool hasOnlyCrLf(std::string_view bytes);

// `readFileBytes` or `writeFileBytes` for use inside a guarded command: throws the
// failure.
std::string readFileBytesOrThrow(const QString& path);
void writeFileBytesOrThrow(const QString& path, std::string_view bytes);

}  // namespace talmir
