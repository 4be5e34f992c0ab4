// The options dialog of the Gerber import.
#include "gui/import/GAI_FMT.h"

#include "gui/base/OptionFrame.h"

namespace talmir {

GAI_FMT::GAI_FMT(QWidget* parent) : OptionsDialog(QStringLiteral(" ガーバーフォーマット"), parent) {
    const importers::GerberImportOptions defaults;
    addFrameRow({optionFrame<7>(this, QStringLiteral("入力単位(1.23mm)"),
                                {"1.23", "123", "1230", "12300", "X00123", "X000123", "123000"},
                                m_units, static_cast<std::size_t>(defaults.unit)),
                 optionFrame<2>(this, QStringLiteral("座標形式"), {"ABS", "INC"}, m_modes,
                                defaults.incremental ? 1 : 0)});
    m_row = addRunCancel([this] { Command1_Click(); }, [this] { Command2_Click(); });
}

importers::GerberImportOptions GAI_FMT::chosen() const {
    const importers::GerberImportOptions defaults;
    importers::GerberImportOptions options;
    options.unit = checkedIndex(m_units, defaults.unit);
    options.incremental = checkedIndex(m_modes, defaults.incremental ? 1 : 0) == 1;
    return options;
}

void GAI_FMT::Command1_Click() {
    execute(chosen());
}

void GAI_FMT::Command2_Click() {
    reject();
}

}  // namespace talmir
