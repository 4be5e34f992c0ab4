#pragma once
// The options dialog of the drill-data import ("ＮＣフォーマット"): how coordinates
// are written (millimetre and inch forms), absolute or incremental, which blocks
// are holes and how tools are recognised. It opens with the defaults, or with what
// the text's own evidence says (a line above the frames tells what was guessed and
// from what); the user's choice always wins.

#include "core/import/DrillGuess.h"
#include "gui/base/OptionsDialog.h"

#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace talmir {

class NC_FMT : public OptionsDialog<importers::DrillOptions> {
public:
    explicit NC_FMT(QWidget* parent = nullptr);

    // Selects the guessed options and shows the guess.
    void applyGuess(const importers::DrillGuess& guess);

    // The unit forms by their number (importers::CoordinateUnit).
    QRadioButton& Option1(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option2(int index) { return *m_modes.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option3(int index) { return *m_holeRules.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option4(int index) { return *m_toolRules.at(static_cast<std::size_t>(index)); }
    QRadioButton& Option5(int index) { return *m_blockEnds.at(static_cast<std::size_t>(index)); }
    QLineEdit& Text1() { return *m_holeCode; }
    QLineEdit& Text2() { return *m_toolCode; }
    QLineEdit& Text3(int index) { return *m_cycleCodes.at(static_cast<std::size_t>(index)); }
    QLabel& guessLine() { return *m_guess; }
    QPushButton& command1() { return *m_row.run; }
    QPushButton& command2() { return *m_row.cancel; }

    void Command1_Click();
    void Command2_Click();

private:
    void buildUnitFrames();
    void buildRuleFrames();
    void applyRules();
    importers::DrillOptions chosen() const;

    std::array<QRadioButton*, importers::kCoordinateUnitCount> m_units{};
    QButtonGroup* m_unitGroup = nullptr;
    std::array<QRadioButton*, 2> m_modes{};
    std::array<QRadioButton*, 3> m_holeRules{};
    std::array<QRadioButton*, 2> m_toolRules{};
    std::array<QRadioButton*, 3> m_blockEnds{};
    QLineEdit* m_holeCode = nullptr;
    QLineEdit* m_toolCode = nullptr;
    std::array<QLineEdit*, 2> m_cycleCodes{};
    QLabel* m_guess = nullptr;
    RunCancelButtons m_row;
};

}  // namespace talmir
