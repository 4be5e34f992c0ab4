#pragma once
// The options dialog of the router import (" ルーターフォーマット"): how the
// numbers of the data map to millimetres, and whether they are absolute or
// incremental.

#include "core/import/RouterToGcode.h"

#include <QDialog>

#include <array>
#include <optional>

class QPushButton;
class QRadioButton;

namespace talmir {

class Ruta_FMT : public QDialog {
public:
    explicit Ruta_FMT(QWidget* parent = nullptr);

    // The options chosen with "実行"; no value after "ｷｬﾝｾﾙ" or any other close.
    // Every opening starts from the defaults: nothing is kept.
    const std::optional<importers::RouterImportOptions>& options() const { return m_chosen; }

    QRadioButton& Option1(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option2(int index) { return *m_modes.at(static_cast<std::size_t>(index)); }
    QPushButton& command3() { return *m_command3; }
    QPushButton& command2() { return *m_command2; }

    void Command3_Click();
    void Command2_Click();

private:
    std::array<QRadioButton*, 3> m_units{};
    std::array<QRadioButton*, 2> m_modes{};
    QPushButton* m_command3 = nullptr;
    QPushButton* m_command2 = nullptr;
    std::optional<importers::RouterImportOptions> m_chosen;
};

}  // namespace talmir
