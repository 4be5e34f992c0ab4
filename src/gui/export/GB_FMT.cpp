// The Gerber options dialog of the G-code window.
#include "gui/export/GB_FMT.h"

#include "gui/base/OptionFrame.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace talmir {

GB_FMT::GB_FMT(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ｇコードをガーバー形式へ変換"));
    setModal(true);
    const exporters::GerberOptions defaults;

    auto* frames = new QHBoxLayout;
    frames->addWidget(optionFrame<4>(this, QStringLiteral("出力単位(1.2345mm)"),
                                     {"1.2345", "123", "1235", "12345"}, m_units,
                                     static_cast<std::size_t>(defaults.unit)));
    frames->addWidget(optionFrame<4>(this, QStringLiteral("改行ｺｰﾄﾞ"), {"CR", "LF", "CrLf", "*"},
                                     m_blockEnds, static_cast<std::size_t>(defaults.blockEnd)));

    m_rs274x = new QCheckBox(QStringLiteral("RS-274X形式で出力"), this);
    m_rs274x->setChecked(defaults.rs274x);

    m_command1 = new QPushButton(QStringLiteral("実行"), this);
    m_command1->setDefault(true);
    m_command2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    connect(m_command1, &QPushButton::clicked, this, &GB_FMT::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &GB_FMT::Command2_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(m_rs274x);
    layout->addLayout(buttons);
}

void GB_FMT::Command1_Click() {
    const exporters::GerberOptions defaults;
    exporters::GerberOptions options;
    options.unit = checkedIndex(m_units, defaults.unit);
    options.blockEnd = static_cast<exporters::GerberBlockEnd>(
        checkedIndex(m_blockEnds, static_cast<int>(defaults.blockEnd)));
    options.rs274x = m_rs274x->isChecked();
    m_chosen = options;
    accept();
}

void GB_FMT::Command2_Click() {
    m_chosen.reset();
    reject();
}

}  // namespace talmir
