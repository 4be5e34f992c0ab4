#pragma once
// The Gerber options dialog of the G-code window ("Ｇコードをガーバー形式へ変換"):
// output unit, block end, and whether to write a complete RS-274X file.

#include "core/export/GcodeToGerber.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace talmir {

class GB_FMT : public QDialog {
public:
    explicit GB_FMT(QWidget* parent = nullptr);

    // The options chosen with "実行"; no value after "ｷｬﾝｾﾙ" or any other close.
    const std::optional<exporters::GerberOptions>& options() const { return m_chosen; }

    QRadioButton& unitOption(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& blockEndOption(int index) {
        return *m_blockEnds.at(static_cast<std::size_t>(index));
    }
    QCheckBox& rs274x() { return *m_rs274x; }
    QPushButton& command1() { return *m_command1; }
    QPushButton& command2() { return *m_command2; }

    void Command1_Click();
    void Command2_Click();

private:
    std::array<QRadioButton*, 4> m_units{};
    std::array<QRadioButton*, 4> m_blockEnds{};
    QCheckBox* m_rs274x = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    std::optional<exporters::GerberOptions> m_chosen;
};

}  // namespace talmir
