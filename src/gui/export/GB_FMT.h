#pragma once
// The Gerber options dialog ("Ｇコードをガーバー形式へ変換"): output unit, block
// end, and whether to write a complete RS-274X file. The hole-data window opens it
// captioned "NCデータをガーバー形式へ変換", with its own execute button Command3
// in the place of the G-code window's Command1.

#include "core/export/GcodeToGerber.h"
#include "gui/base/OptionsDialog.h"

#include <array>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace talmir {

class GB_FMT : public OptionsDialog<exporters::GerberOptions> {
public:
    enum class Source { Gcode, Holes };

    explicit GB_FMT(QWidget* parent = nullptr) : GB_FMT(Source::Gcode, parent) {}
    GB_FMT(Source source, QWidget* parent);

    QRadioButton& unitOption(int index) { return *m_units.at(static_cast<std::size_t>(index)); }
    QRadioButton& blockEndOption(int index) {
        return *m_blockEnds.at(static_cast<std::size_t>(index));
    }
    QCheckBox& rs274x() { return *m_rs274x; }
    // The one execute button the dialog shows: Command1 for the G-code source,
    // Command3 for the hole data (its object name says which).
    QPushButton& command1() { return *m_row.run; }
    QPushButton& command3() { return *m_row.run; }
    QPushButton& command2() { return *m_row.cancel; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    exporters::GerberOptions chosen() const;

    std::array<QRadioButton*, 4> m_units{};
    std::array<QRadioButton*, 4> m_blockEnds{};
    QCheckBox* m_rs274x = nullptr;
    Source m_source;
    RunCancelButtons m_row;
};

}  // namespace talmir
