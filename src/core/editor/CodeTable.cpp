#include "core/editor/CodeTable.h"

#include "core/editor/WorkFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace talmir::editor {
namespace {

constexpr int kTypeMismatch = 13;
constexpr int kOverflow = 6;
constexpr int kPastEndOfFile = 62;
constexpr int kFileNotFound = 53;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;

Failure typeMismatch() {
    return Failure{kTypeMismatch, "型が一致しません。"};
}

// The fields of a table file, one after the other: a field ends at a comma, at a
// line end (CR LF, CR or LF) or at the end of the file. Blanks around it are dropped.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : m_bytes(bytes) {}

    // False when the file has no field left.
    bool next(std::string_view& field) {
        if (m_pos >= m_bytes.size()) {
            return false;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != ',' && m_bytes[m_pos] != '\r' &&
               m_bytes[m_pos] != '\n') {
            ++m_pos;
        }
        field = trimmed(m_bytes.substr(start, m_pos - start));
        if (m_pos < m_bytes.size()) {
            const char end = m_bytes[m_pos++];
            if (end == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n') {
                ++m_pos;
            }
        }
        return true;
    }

private:
    static std::string_view trimmed(std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
            s.remove_prefix(1);
        }
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
            s.remove_suffix(1);
        }
        return s;
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The byte a field stands for: one or two hexadecimal digits.
Result<unsigned char> fieldCode(std::string_view field) {
    if (field.empty() ||
        !std::all_of(field.begin(), field.end(), [](char c) { return hexDigit(c) >= 0; })) {
        return typeMismatch();
    }
    if (field.size() > 2) {
        return Failure{kOverflow, "オーバーフローしました。"};
    }
    int value = 0;
    for (const char c : field) {
        value = value * 16 + hexDigit(c);
    }
    return static_cast<unsigned char>(value);
}

// Byte value of field number k of the stream (line k div 16, field k mod 16).
std::size_t byteOfField(std::size_t k) {
    return (k % 16) * 16 + k / 16;
}

// A table name is a file name inside "CVTBL/", never a path leading out of it.
bool isPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

fs::path tableFolder(std::string_view appDir) {
    return fs::path(workFilePath(appDir, kCvTblDir));
}

fs::path tablePath(std::string_view appDir, std::string_view name) {
    return tableFolder(appDir) / fs::path(std::string(name));
}

}  // namespace

Result<CodeTable> readCodeTable(std::string_view fileBytes) {
    CodeTable table{};
    FieldReader reader(fileBytes);
    for (std::size_t k = 0; k < kCodeCount; ++k) {
        std::string_view field;
        if (!reader.next(field)) {
            return Failure{kPastEndOfFile, "ファイルにこれ以上データがありません。"};
        }
        auto code = fieldCode(field);
        if (!code) {
            return code.failure();
        }
        table[byteOfField(k)] = code.value();
    }
    return table;
}

CodeBoxes loadCodeBoxes(std::string_view fileBytes) {
    CodeBoxes boxes;
    boxes.fill("0");
    FieldReader reader(fileBytes);
    std::string_view field;
    for (std::size_t k = 0; k < kCodeCount && reader.next(field); ++k) {
        boxes[byteOfField(k)] = std::string(field);
    }
    return boxes;
}

std::string writeCodeBoxes(const CodeBoxes& boxes) {
    std::string file;
    for (std::size_t r = 0; r < 16; ++r) {
        for (std::size_t c = 0; c < 16; ++c) {
            if (c > 0) {
                file += ',';
            }
            file += boxes[c * 16 + r];
        }
        file += "\r\n";
    }
    return file;
}

std::string identityCodeTable() {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    CodeBoxes boxes;
    for (std::size_t i = 0; i < kCodeCount; ++i) {
        boxes[i] = {kDigits[i / 16], kDigits[i % 16]};
    }
    return writeCodeBoxes(boxes);
}

std::string applyCodeTable(std::string_view text, const CodeTable& table) {
    std::string out(text.size(), '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[i] = static_cast<char>(table[in[i]]);
    }
    return out;
}

bool isCodeBoxChar(char c) {
    return hexDigit(c) >= 0;
}

std::vector<std::string> listCodeTables(std::string_view appDir) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(tableFolder(appDir), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

Result<std::string> readCodeTableFile(std::string_view appDir, std::string_view name) {
    const Failure notFound{kFileNotFound, "ファイルが見つかりません。"};
    if (!isPlainName(name)) {
        return notFound;
    }
    std::ifstream in(tablePath(appDir, name), std::ios::binary);
    if (!in) {
        return notFound;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return notFound;
    }
    return bytes;
}

std::optional<Failure> saveCodeTableFile(std::string_view appDir, std::string_view name,
                                         std::string_view fileBytes) {
    const Failure accessError{kPathFileAccess, "パス名が無効です。"};
    if (!isPlainName(name)) {
        return accessError;
    }
    std::error_code error;
    if (!fs::is_directory(tableFolder(appDir), error)) {
        return Failure{kPathNotFound, "パスが見つかりません。"};
    }
    const fs::path target = tablePath(appDir, name);
    fs::path temp = target;
    temp += ".talmir-tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(fileBytes.data(), static_cast<std::streamsize>(fileBytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, error);
            return accessError;
        }
    }
    fs::rename(temp, target, error);
    if (error) {
        fs::remove(temp, error);
        return accessError;
    }
    return std::nullopt;
}

std::optional<Failure> ensureCodeTableFolder(std::string_view appDir) {
    std::error_code error;
    fs::create_directories(tableFolder(appDir), error);
    if (error) {
        return Failure{kPathFileAccess, "パス名が無効です。"};
    }
    if (!listCodeTables(appDir).empty()) {
        return std::nullopt;
    }
    return saveCodeTableFile(appDir, kIdentityTableName, identityCodeTable());
}

std::optional<Failure> deleteCodeTableFile(std::string_view appDir, std::string_view name) {
    std::error_code error;
    if (!isPlainName(name) || !fs::remove(tablePath(appDir, name), error)) {
        return Failure{kFileNotFound, "ファイルが見つかりません。"};
    }
    return std::nullopt;
}

std::string codeTableSavedMessage(std::string_view name) {
    return std::string(name) + " を登録しました。";
}

std::string codeTableDeleteQuestion(std::string_view name) {
    return std::string(name) + " を削除してよいですか。";
}

}  // namespace talmir::editor
