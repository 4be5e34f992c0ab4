// Code conversion tables: the file layout (16 lines written column by column), the
// conversion's validation, the code editor's grid and the table folder.

#include "core/editor/CodeTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace talmir::editor {
namespace {

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(CodeTable, IdentityTableLayoutAndConversion) {
    const std::string file = identityCodeTable();
    EXPECT_EQ(file.substr(0, 49), "00,10,20,30,40,50,60,70,80,90,A0,B0,C0,D0,E0,F0\r\n");
    EXPECT_EQ(file.substr(49, 49), "01,11,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,F1\r\n");
    EXPECT_EQ(file.size(), 16u * 49u);
    const auto table = readCodeTable(file);
    ASSERT_TRUE(table.ok()) << table.failure().description;
    EXPECT_EQ(applyCodeTable(allBytes(), table.value()), allBytes());
    EXPECT_EQ(writeCodeBoxes(loadCodeBoxes(file)), file);
}

TEST(CodeTable, EditedBoxGoesToItsLineAndField) {
    CodeBoxes boxes = loadCodeBoxes(identityCodeTable());
    boxes[0x41] = "61";  // row 4, column 1: capital A becomes small a
    const std::string file = writeCodeBoxes(boxes);
    EXPECT_EQ(file.substr(49, 49), "01,11,21,31,61,51,61,71,81,91,A1,B1,C1,D1,E1,F1\r\n");
    const auto table = readCodeTable(file);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(applyCodeTable("AAA\r\nB", table.value()), "aaa\r\nB");
}

TEST(CodeTable, LineEndsAreConvertedLikeAnyByte) {
    CodeBoxes boxes = loadCodeBoxes(identityCodeTable());
    boxes[0x0D] = "20";
    boxes[0x0A] = "2e";
    const auto table = readCodeTable(writeCodeBoxes(boxes));
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(applyCodeTable("A\r\nB\r\n", table.value()), "A .B .");
    // Both bytes of a double-byte character go through the table: nothing is lost.
    EXPECT_EQ(applyCodeTable("\x8C\x8A", table.value()), "\x8C\x8A");
}

struct TableFileCase {
    const char* name;
    std::string file;
    int failure;  // 0 when the file is a valid table
};

TEST(CodeTable, ReadingValidatesEveryField) {
    const std::string identity = identityCodeTable();
    const auto withLine1 = [&](const std::string& line) {
        return identity.substr(0, 49) + line + "\r\n" + identity.substr(98);
    };
    std::string oneLine;  // all 256 fields on one line: the fields are a stream
    for (std::size_t r = 0; r < 16; ++r) {
        oneLine += (r ? "," : "") + identity.substr(r * 49, 47);
    }
    const TableFileCase cases[] = {
        {"identity", identity, 0},
        {"lower case and single digits",
         withLine1("1,11,21,31,41,51,61,71,81,91,a1,b1,c1,d1,e1,f1"), 0},
        {"blanks around fields", withLine1(" 01, 11 ,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,F1"),
         0},
        {"LF line ends, no line end after the last line",
         [&] {
             std::string s;
             for (char c : identity.substr(0, identity.size() - 2)) {
                 if (c != '\r') {
                     s += c;
                 }
             }
             return s;
         }(),
         0},
        {"fields after the 256th are not read", identity + "ZZ,,\r\n", 0},
        {"one line of 256 fields", oneLine, 0},
        {"empty field", withLine1("01,,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,F1"), 13},
        {"non-hex field", withLine1("01,1G,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,F1"), 13},
        {"minus sign", withLine1("-1,11,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,F1"), 13},
        {"three digits", withLine1("001,11,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,F1"), 6},
        {"many digits",
         withLine1("123456789ABCDEF0123,11,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,F1"), 6},
        {"fewer than 256 fields", identity.substr(0, 15 * 49), 62},
        {"trailing comma line", withLine1("01,11,21,31,41,51,61,71,81,91,A1,B1,C1,D1,E1,"), 13},
        {"empty file", "", 62},
        {"blank line among the lines", identity.substr(0, 49) + "\r\n" + identity.substr(49), 13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto table = readCodeTable(c.file);
        if (c.failure == 0) {
            EXPECT_TRUE(table.ok()) << table.failure().description;
        } else {
            ASSERT_FALSE(table.ok());
            EXPECT_EQ(table.failure().number, c.failure);
            EXPECT_FALSE(table.failure().description.empty());
        }
    }
    EXPECT_EQ(readCodeTable(identity.substr(0, 15 * 49)).failure().description,
              "ファイルにこれ以上データがありません。");
}

TEST(CodeTable, LoadingFillsTheGridAsFarAsTheFileGoes) {
    // Line 0 only, and broken: the boxes of line 0 get the texts as written.
    const CodeBoxes boxes = loadCodeBoxes("AA,,1G2,30,40,50,60,70,80,90,A0,B0,C0,D0,E0,F0\r\n01");
    EXPECT_EQ(boxes[0x00], "AA");
    EXPECT_EQ(boxes[0x10], "");
    EXPECT_EQ(boxes[0x20], "1G2");
    EXPECT_EQ(boxes[0xF0], "F0");
    EXPECT_EQ(boxes[0x01], "01");
    EXPECT_EQ(boxes[0x11], "0");
    EXPECT_EQ(boxes[0xFF], "0");
}

TEST(CodeTable, GridBoxesAcceptOnlyHexDigits) {
    for (const char c : std::string("0123456789ABCDEFabcdef")) {
        EXPECT_TRUE(isCodeBoxChar(c)) << c;
    }
    for (const char c : std::string("Gg-+ .\b\r")) {
        EXPECT_FALSE(isCodeBoxChar(c)) << int(c);
    }
}

class CodeTableFolder : public testing::Test {
protected:
    void SetUp() override {
        m_appDir = fs::temp_directory_path() /
                   ("talmir-cvtbl-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(m_appDir);
    }
    void TearDown() override { fs::remove_all(m_appDir); }
    std::string appDir() const { return m_appDir.string() + "/"; }

    fs::path m_appDir;
};

TEST_F(CodeTableFolder, SaveListReadDelete) {
    EXPECT_TRUE(listCodeTables(appDir()).empty());
    const auto missingFolder = saveCodeTableFile(appDir(), "ASCII", identityCodeTable());
    ASSERT_TRUE(missingFolder.has_value());
    EXPECT_EQ(missingFolder->number, 76);

    fs::create_directories(m_appDir / "CVTBL");
    EXPECT_FALSE(saveCodeTableFile(appDir(), "ASCII", identityCodeTable()).has_value());
    EXPECT_FALSE(saveCodeTableFile(appDir(), "EIA", "old").has_value());
    EXPECT_FALSE(saveCodeTableFile(appDir(), "EIA", "new").has_value());  // overwrites
    EXPECT_EQ(listCodeTables(appDir()), (std::vector<std::string>{"ASCII", "EIA"}));
    EXPECT_EQ(readCodeTableFile(appDir(), "EIA").value(), "new");
    EXPECT_EQ(readCodeTableFile(appDir(), "ASCII").value(), identityCodeTable());

    EXPECT_FALSE(deleteCodeTableFile(appDir(), "EIA").has_value());
    EXPECT_EQ(readCodeTableFile(appDir(), "EIA").failure().number, 53);
    EXPECT_EQ(deleteCodeTableFile(appDir(), "EIA")->number, 53);
    EXPECT_EQ(listCodeTables(appDir()), (std::vector<std::string>{"ASCII"}));
}

TEST_F(CodeTableFolder, FirstUseGetsTheIdentityTableOnly) {
    EXPECT_FALSE(ensureCodeTableFolder(appDir()).has_value());
    EXPECT_EQ(listCodeTables(appDir()), (std::vector<std::string>{"ASCII"}));
    EXPECT_EQ(readCodeTableFile(appDir(), "ASCII").value(), identityCodeTable());
    // A user's tables are never touched, and no identity table is added to them.
    EXPECT_FALSE(deleteCodeTableFile(appDir(), "ASCII").has_value());
    EXPECT_FALSE(saveCodeTableFile(appDir(), "EIA", "mine").has_value());
    EXPECT_FALSE(ensureCodeTableFolder(appDir()).has_value());
    EXPECT_EQ(listCodeTables(appDir()), (std::vector<std::string>{"EIA"}));
    EXPECT_EQ(readCodeTableFile(appDir(), "EIA").value(), "mine");
}

TEST_F(CodeTableFolder, NamesNeverLeaveTheFolder) {
    fs::create_directories(m_appDir / "CVTBL");
    for (const char* name : {"", ".", "..", "../BAK.DAT", "sub/x", "a\\b"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(saveCodeTableFile(appDir(), name, "x").has_value());
        EXPECT_FALSE(readCodeTableFile(appDir(), name).ok());
    }
    EXPECT_FALSE(fs::exists(m_appDir / "BAK.DAT"));
    EXPECT_EQ(codeTableSavedMessage("EIA"), "EIA を登録しました。");
    EXPECT_EQ(codeTableDeleteQuestion("EIA"), "EIA を削除してよいですか。");
}

}  // namespace
}  // namespace talmir::editor
