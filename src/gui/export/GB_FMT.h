#pragma once
// The Gerber options dialog of the G-code window ("Ｇコードをガーバー形式へ変換"):
// output unit, block end, and whether to write a complete RS-274X file.

#include "core/export/GcodeToGerber.h"
#include "gui/base/OptionsDialog.h"

#include <array>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace talmir {

class GB_FMT : public OptionsDialog<exporters::GerberOptions> {
public:
    explicit GB_FMT(QWidget* parent = nullptr);

    QRadioButton& unitOption(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& blockEndOption(int index) {
        return *m_blockEnds.at(static_cast<std::size_t>(index));
    }
    QCheckBox& rs274x() { return *m_rs274x; }
    QPushButton& command1() { return *m_row.run; }
    QPushButton& command2() { return *m_row.cancel; }

    void Command1_Click();
    void Command2_Click();

private:
    exporters::GerberOptions chosen() const;

    std::array<QRadioButton*, 4> m_units{};
    std::array<QRadioButton*, 4> m_blockEnds{};
    QCheckBox* m_rs274x = nullptr;
    RunCancelButtons m_row;
};

}  // namespace talmir
