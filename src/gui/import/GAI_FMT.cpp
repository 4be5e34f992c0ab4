// The options dialog of the Gerber import.
#include "gui/import/GAI_FMT.h"

#include "gui/base/OptionFrame.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace talmir {

GAI_FMT::GAI_FMT(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral(" ガーバーフォーマット"));
    setModal(true);
    const importers::GerberImportOptions defaults;

    auto* frames = new QHBoxLayout;
    frames->addWidget(
        optionFrame<7>(this, QStringLiteral("入力単位(1.23mm)"),
                       {"1.23", "123", "1230", "12300", "X00123", "X000123", "123000"}, m_units,
                       static_cast<std::size_t>(defaults.unit)));
    frames->addWidget(optionFrame<2>(this, QStringLiteral("座標形式"), {"ABS", "INC"}, m_modes,
                                     defaults.incremental ? 1 : 0));

    m_command1 = new QPushButton(QStringLiteral("実行"), this);
    m_command1->setDefault(true);
    m_command2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    connect(m_command1, &QPushButton::clicked, this, &GAI_FMT::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &GAI_FMT::Command2_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);
}

void GAI_FMT::Command1_Click() {
    const importers::GerberImportOptions defaults;
    importers::GerberImportOptions options;
    options.unit = checkedIndex(m_units, defaults.unit);
    options.incremental = checkedIndex(m_modes, defaults.incremental ? 1 : 0) == 1;
    m_chosen = options;
    accept();
}

void GAI_FMT::Command2_Click() {
    m_chosen.reset();
    reject();
}

}  // namespace talmir
