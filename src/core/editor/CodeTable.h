#pragma once
// Code conversion tables: every byte value 0 to 255 mapped to a replacement byte, kept
// as text files in AppDir + "CVTBL/". The file is the 16 x 16 grid written column by
// column: 16 lines of 16 comma-separated hexadecimal fields, each line ended by CR LF;
// field c of line r is the code for the byte value c * 16 + r. Line 1 of the identity
// table reads
//   01,11,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,F1

#include "core/Failure.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::editor {

inline constexpr std::size_t kCodeCount = 256;

// The replacement byte for every byte value.
using CodeTable = std::array<unsigned char, kCodeCount>;

// The texts of the code editor's grid boxes, indexed by byte value (row = high
// hexadecimal digit, column = low digit).
using CodeBoxes = std::array<std::string, kCodeCount>;

// Reads a table file for a conversion. The 256 fields are taken in order as one
// stream of comma- or line-separated fields (blanks around a field are ignored;
// fields after the 256th are not read). Failures, as the conversion reports them:
// an empty or non-hexadecimal field is error 13, a field of more than two digits
// error 6, fewer than 256 fields error 62.
Result<CodeTable> readCodeTable(std::string_view fileBytes);

// Loads a table file into the grid of the code editor: every box "0", then field k
// of the stream into the box for byte value (k mod 16) * 16 + k div 16, as far as
// the file goes. Nothing is validated; the field texts go into the boxes as written.
CodeBoxes loadCodeBoxes(std::string_view fileBytes);

// The table file for the grid: for r = 0 to 15 the boxes r, 16 + r, ..., 240 + r
// joined by "," and ended by CR LF. The box texts are written as they stand.
std::string writeCodeBoxes(const CodeBoxes& boxes);

// The file of the table that maps every byte to itself (two upper-case digits a
// field), which the installed program puts into "CVTBL/" as kIdentityTableName.
std::string identityCodeTable();
inline constexpr std::string_view kIdentityTableName = "ASCII";

// Each byte of `text` replaced through `table`. Every byte is converted on its own,
// line ends and both bytes of a double-byte character included; nothing is added, so
// the output has exactly as many bytes as the input.
std::string applyCodeTable(std::string_view text, const CodeTable& table);

// True for the characters a grid box accepts when typed: "0123456789ABCDEFabcdef".
bool isCodeBoxChar(char c);

// Table files in the folder: the names of the regular files of AppDir + "CVTBL/",
// sorted; none when the folder is missing.
std::vector<std::string> listCodeTables(std::string_view appDir);

// The bytes of table `name`; error 53 when the file is missing or unreadable.
Result<std::string> readCodeTableFile(std::string_view appDir, std::string_view name);

// Creates or overwrites table `name` with `fileBytes` (written beside it and renamed
// over it, so a failed save leaves the old table whole). Error 76 when "CVTBL/" does
// not exist, 75 when the file cannot be written.
std::optional<Failure> saveCodeTableFile(std::string_view appDir, std::string_view name,
                                         std::string_view fileBytes);

// Makes sure the table folder exists and offers at least one table: creates
// AppDir + "CVTBL/" when it is missing and, when it holds no file, writes the
// identity table into it. Tables already there are left alone. Error 75 when the
// folder or the file cannot be made.
std::optional<Failure> ensureCodeTableFolder(std::string_view appDir);

// Deletes table `name`; error 53 when it does not exist.
std::optional<Failure> deleteCodeTableFile(std::string_view appDir, std::string_view name);

// name + " を登録しました。" and the question name + " を削除してよいですか。"
std::string codeTableSavedMessage(std::string_view name);
std::string codeTableDeleteQuestion(std::string_view name);

}  // namespace talmir::editor
