#pragma once
// "穴データをエクセルへ": the layout of the hole-data spreadsheet, with a preview
// grid (columns A to F, rows 1 to 4) that shows sample values where the chosen
// layout puts them.

#include "core/export/HolesToXlsx.h"
#include "gui/base/OptionsDialog.h"

#include <array>
#include <functional>

class QPushButton;
class QRadioButton;
class QTableWidget;

namespace talmir {

class HolOutExlFrm : public OptionsDialog<exporters::HoleSheetLayout> {
public:
    explicit HolOutExlFrm(QWidget* parent = nullptr);

    // "Aタイプ" (0), "Bタイプ" (1), "Cタイプ" (2).
    QRadioButton& layoutOption(int index) { return *m_layouts.at(static_cast<std::size_t>(index)); }
    QTableWidget& preview() { return *m_preview; }
    QPushButton& command1(int index) { return *(index == 0 ? m_row.run : m_row.cancel); }

    void Option1_Click(int index);
    void Command1_Click(int index);

private:
    std::array<QRadioButton*, 3> m_layouts{};
    QTableWidget* m_preview = nullptr;
    RunCancelButtons m_row;
};

// Opens a written workbook with the desktop's default application (xdg-open);
// false when that could not be started. Tests put their own opener here.
std::function<bool(const QString&)>& workbookOpener();

}  // namespace talmir
