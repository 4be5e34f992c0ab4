#pragma once
// The options dialog of the Gerber import (" ガーバーフォーマット"): how the numbers
// of the data map to millimetres, and whether they are absolute or incremental.

#include "core/import/GerberToGcode.h"

#include <QDialog>

#include <array>
#include <optional>

class QPushButton;
class QRadioButton;

namespace talmir {

class GAI_FMT : public QDialog {
public:
    explicit GAI_FMT(QWidget* parent = nullptr);

    // The options chosen with "実行"; no value after "ｷｬﾝｾﾙ" or any other close.
    // Every opening starts from the defaults: nothing is kept.
    const std::optional<importers::GerberImportOptions>& options() const { return m_chosen; }

    QRadioButton& Option1(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option2(int index) { return *m_modes.at(static_cast<std::size_t>(index)); }
    QPushButton& command1() { return *m_command1; }
    QPushButton& command2() { return *m_command2; }

    void Command1_Click();
    void Command2_Click();

private:
    std::array<QRadioButton*, 7> m_units{};
    std::array<QRadioButton*, 2> m_modes{};
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    std::optional<importers::GerberImportOptions> m_chosen;
};

}  // namespace talmir
