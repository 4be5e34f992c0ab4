// The options dialog of the router import.
#include "gui/import/Ruta_FMT.h"

#include "gui/base/OptionFrame.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace talmir {

Ruta_FMT::Ruta_FMT(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral(" ルーターフォーマット"));
    setModal(true);
    const importers::RouterImportOptions defaults;

    auto* frames = new QHBoxLayout;
    frames->addWidget(optionFrame<3>(this, QStringLiteral("入力単位(1.23mm)"),
                                     {"1.23", "123", "1230"}, m_units,
                                     static_cast<std::size_t>(defaults.unit)));
    frames->addWidget(optionFrame<2>(this, QStringLiteral("座標形式"), {"ABS", "INC"}, m_modes,
                                     defaults.incremental ? 1 : 0));

    m_command3 = new QPushButton(QStringLiteral("実行"), this);
    m_command3->setDefault(true);
    m_command2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    connect(m_command3, &QPushButton::clicked, this, &Ruta_FMT::Command3_Click);
    connect(m_command2, &QPushButton::clicked, this, &Ruta_FMT::Command2_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command3);
    buttons->addWidget(m_command2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);
}

void Ruta_FMT::Command3_Click() {
    const importers::RouterImportOptions defaults;
    importers::RouterImportOptions options;
    options.unit = checkedIndex(m_units, defaults.unit);
    options.incremental = checkedIndex(m_modes, defaults.incremental ? 1 : 0) == 1;
    m_chosen = options;
    accept();
}

void Ruta_FMT::Command2_Click() {
    m_chosen.reset();
    reject();
}

}  // namespace talmir
