#pragma once
// The options dialog of the Gerber import (" ガーバーフォーマット"): how the numbers
// of the data map to millimetres, and whether they are absolute or incremental.
// Every opening starts from the defaults: nothing is kept.

#include "core/import/GerberToGcode.h"
#include "gui/base/OptionsDialog.h"

#include <array>

class QPushButton;
class QRadioButton;

namespace talmir {

class GAI_FMT : public OptionsDialog<importers::GerberImportOptions> {
public:
    explicit GAI_FMT(QWidget* parent = nullptr);

    QRadioButton& Option1(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option2(int index) { return *m_modes.at(static_cast<std::size_t>(index)); }
    QPushButton& command1() { return *m_row.run; }
    QPushButton& command2() { return *m_row.cancel; }

    void Command1_Click();
    void Command2_Click();

private:
    importers::GerberImportOptions chosen() const;

    std::array<QRadioButton*, 7> m_units{};
    std::array<QRadioButton*, 2> m_modes{};
    RunCancelButtons m_row;
};

}  // namespace talmir
