// The options dialog of the router import.
#include "gui/import/Ruta_FMT.h"

#include "gui/base/OptionFrame.h"

namespace talmir {

Ruta_FMT::Ruta_FMT(QWidget* parent)
    : OptionsDialog(QStringLiteral(" ルーターフォーマット"), parent) {
    const importers::RouterImportOptions defaults;
    addFrameRow({optionFrame<3>(this, QStringLiteral("入力単位(1.23mm)"), {"1.23", "123", "1230"},
                                m_units, static_cast<std::size_t>(defaults.unit)),
                 optionFrame<2>(this, QStringLiteral("座標形式"), {"ABS", "INC"}, m_modes,
                                defaults.incremental ? 1 : 0)});
    // The router dialog's execute button is Command3; there is no Command1.
    m_row = addRunCancel([this] { Command3_Click(); }, [this] { Command2_Click(); });
}

importers::RouterImportOptions Ruta_FMT::chosen() const {
    const importers::RouterImportOptions defaults;
    importers::RouterImportOptions options;
    options.unit = checkedIndex(m_units, defaults.unit);
    options.incremental = checkedIndex(m_modes, defaults.incremental ? 1 : 0) == 1;
    return options;
}

void Ruta_FMT::Command3_Click() {
    execute(chosen());
}

void Ruta_FMT::Command2_Click() {
    reject();
}

}  // namespace talmir
