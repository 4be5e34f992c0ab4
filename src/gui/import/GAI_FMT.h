#pragma once
// The options dialog of the Gerber import (" ガーバーフォーマット"): how the numbers
// of the data map to millimetres (the inch forms beside the millimetre ones), and
// whether they are absolute or incremental. Every opening starts from the defaults,
// or from what the data's own format statement says (a line above the frames
// tells what was guessed and from what): nothing is kept.

#include "core/import/CoordinateUnits.h"
#include "core/import/DrillGuess.h"
#include "core/import/GerberToGcode.h"
#include "gui/base/OptionsDialog.h"

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace talmir {

class GAI_FMT : public OptionsDialog<importers::GerberImportOptions> {
public:
    explicit GAI_FMT(QWidget* parent = nullptr);

    // Selects the guessed unit and mode and shows the guess.
    void applyGuess(const importers::GerberGuess& guess);
    QLabel& guessLine() { return *m_guess; }

    QRadioButton& Option1(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option2(int index) { return *m_modes.at(static_cast<std::size_t>(index)); }
    QPushButton& command1() { return *m_row.run; }
    QPushButton& command2() { return *m_row.cancel; }

    void Command1_Click();
    void Command2_Click();

private:
    importers::GerberImportOptions chosen() const;

    // By unit number: 0 to 6 and 14 in the millimetre frame, 7 to 13 in the inch one.
    std::array<QRadioButton*, importers::kCoordinateUnitCount> m_units{};
    QButtonGroup* m_unitGroup = nullptr;
    QLabel* m_guess = nullptr;
    std::array<QRadioButton*, 2> m_modes{};
    RunCancelButtons m_row;
};

}  // namespace talmir
