#include "core/export/HolesToXlsx.h"

#include "core/export/ExportText.h"
#include "core/export/HoleLines.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <unordered_map>

namespace talmir::exporters {

namespace {

constexpr std::size_t kMaxRows = 1048576;

Failure sheetFailure(const std::string& path, lxw_error error) {
    return Failure::message("エクセルファイルを書き込めませんでした: " + path + " (" +
                            lxw_strerror(error) + ")");
}

// The first sheet, filled row by row (the constant-memory mode writes each row out
// when the next one starts, so rows must come in order).
class Sheet {
public:
    Sheet(lxw_worksheet* sheet, const std::string& path) : m_sheet(sheet), m_path(path) {}

    void nextRow() {
        if (m_rows == kMaxRows) {
            throw Failure::message("穴データの行数がエクセルの最大行数(1048576)を超えています");
        }
        m_row = static_cast<lxw_row_t>(m_rows++);
    }
    void text(lxw_col_t col, std::string_view sjis) {
        if (sjis.empty()) {
            return;
        }
        m_utf8.clear();
        text::appendShiftJisToUtf8(m_utf8, sjis);
        check(worksheet_write_string(m_sheet, m_row, col, m_utf8.c_str(), nullptr));
    }
    void number(lxw_col_t col, double value) {
        check(worksheet_write_number(m_sheet, m_row, col, value, nullptr));
    }
    std::size_t rows() const { return m_rows; }

private:
    void check(lxw_error error) const {
        if (error != LXW_NO_ERROR) {
            throw sheetFailure(m_path, error);
        }
    }

    lxw_worksheet* m_sheet;
    const std::string& m_path;
    lxw_row_t m_row = 0;
    std::size_t m_rows = 0;
    std::string m_utf8;
};

void writeHole(Sheet& sheet, HoleSheetLayout layout, std::string_view line, double counter) {
    switch (layout) {
        case HoleSheetLayout::A: {
            double x = 0;
            double y = 0;
            wordValue(line, 'X', x);
            wordValue(line, 'Y', y);
            sheet.text(2, "X");
            sheet.number(3, x);
            sheet.text(4, "Y");
            sheet.number(5, y);
            sheet.number(6, counter);
            break;
        }
        case HoleSheetLayout::B: {
            // A line without "Y" is all X word.
            const std::size_t y = line.find('Y');
            sheet.text(2, line.substr(0, y));
            if (y != std::string_view::npos) {
                sheet.text(3, line.substr(y));
            }
            sheet.number(4, counter);
            break;
        }
        case HoleSheetLayout::C:
            sheet.text(2, line);
            sheet.number(3, counter);
            break;
    }
}

void fillSheet(Sheet& sheet, std::string_view holes, HoleSheetLayout layout) {
    std::unordered_map<double, std::string_view> diameters;
    double counter = 0;
    text::LineReader lines(holes);
    for (std::string_view line; lines.next(line);) {
        if (holeHas(line, 'C')) {
            diameters[holeToolNumber(line)] = line.substr(line.find('C'));
        } else if (holeHas(line, 'T')) {
            sheet.nextRow();
            sheet.text(0, line);
            const auto found = diameters.find(holeToolNumber(line));
            if (found != diameters.end()) {
                sheet.text(1, found->second);
            }
            counter = 0;
        } else if (isHoleLine(line)) {
            sheet.nextRow();
            writeHole(sheet, layout, line, ++counter);
        }
    }
}

}  // namespace

Result<std::size_t> holesToXlsx(std::string_view holes, const HoleSheetOptions& options,
                                const std::string& path) {
    const std::string temp = path + ".talmir-tmp";
    lxw_workbook_options workbookOptions{};
    workbookOptions.constant_memory = LXW_TRUE;
    std::string tempFolder = options.tempFolder;
    workbookOptions.tmpdir = tempFolder.empty() ? nullptr : tempFolder.data();
    lxw_workbook* workbook = workbook_new_opt(temp.c_str(), &workbookOptions);
    if (workbook == nullptr) {
        return Failure::message("エクセルファイルを作成できませんでした: " + path);
    }
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, nullptr);
    std::size_t rows = 0;
    try {
        if (worksheet == nullptr) {
            throw Failure::message("エクセルファイルを作成できませんでした: " + path);
        }
        Sheet sheet(worksheet, path);
        fillSheet(sheet, holes, options.layout);
        rows = sheet.rows();
    } catch (const Failure& failure) {
        workbook_close(workbook);
        std::remove(temp.c_str());
        return failure;
    }
    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR) {
        std::remove(temp.c_str());
        return sheetFailure(path, closed);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return Failure::message("エクセルファイルを書き込めませんでした: " + path);
    }
    return rows;
}

}  // namespace talmir::exporters
