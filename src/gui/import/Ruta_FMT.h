#pragma once
// The options dialog of the router import (" ルーターフォーマット"): how the
// numbers of the data map to millimetres, and whether they are absolute or
// incremental. Every opening starts from the defaults: nothing is kept.

#include "core/import/RouterToGcode.h"
#include "gui/base/OptionsDialog.h"

#include <array>

class QPushButton;
class QRadioButton;

namespace talmir {

class Ruta_FMT : public OptionsDialog<importers::RouterImportOptions> {
public:
    explicit Ruta_FMT(QWidget* parent = nullptr);

    QRadioButton& Option1(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option2(int index) { return *m_modes.at(static_cast<std::size_t>(index)); }
    QPushButton& command3() { return *m_row.run; }
    QPushButton& command2() { return *m_row.cancel; }

    void Command3_Click();
    void Command2_Click();

private:
    importers::RouterImportOptions chosen() const;

    std::array<QRadioButton*, 3> m_units{};
    std::array<QRadioButton*, 2> m_modes{};
    RunCancelButtons m_row;
};

}  // namespace talmir
