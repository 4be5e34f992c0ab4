// The Gerber options dialog of the program windows.
#include "gui/export/GB_FMT.h"

#include "gui/base/OptionFrame.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace talmir {

GB_FMT::GB_FMT(Source source, QWidget* parent)
    : OptionsDialog(source == Source::Holes ? QStringLiteral("NCデータをガーバー形式へ変換")
                                            : QStringLiteral("Ｇコードをガーバー形式へ変換"),
                    parent),
      m_source(source) {
    const exporters::GerberOptions defaults;
    addFrameRow({optionFrame<4>(this, QStringLiteral("出力単位(1.2345mm)"),
                                {"1.2345", "123", "1235", "12345"}, m_units,
                                static_cast<std::size_t>(defaults.unit)),
                 optionFrame<4>(this, QStringLiteral("改行ｺｰﾄﾞ"), {"CR", "LF", "CrLf", "*"},
                                m_blockEnds, static_cast<std::size_t>(defaults.blockEnd))});
    m_rs274x = new QCheckBox(QStringLiteral("RS-274X形式で出力"), this);
    m_rs274x->setChecked(defaults.rs274x);
    body().addWidget(m_rs274x);
    m_row =
        addRunCancel([this] { m_source == Source::Holes ? Command3_Click() : Command1_Click(); },
                     [this] { Command2_Click(); });
    m_row.run->setObjectName(m_source == Source::Holes ? QStringLiteral("Command3")
                                                       : QStringLiteral("Command1"));
}

exporters::GerberOptions GB_FMT::chosen() const {
    const exporters::GerberOptions defaults;
    exporters::GerberOptions options;
    options.unit = checkedIndex(m_units, defaults.unit);
    options.blockEnd = static_cast<exporters::GerberBlockEnd>(
        checkedIndex(m_blockEnds, static_cast<int>(defaults.blockEnd)));
    options.rs274x = m_rs274x->isChecked();
    return options;
}

void GB_FMT::Command1_Click() {
    execute(chosen());
}

void GB_FMT::Command3_Click() {
    execute(chosen());
}

void GB_FMT::Command2_Click() {
    reject();
}

}  // namespace talmir
