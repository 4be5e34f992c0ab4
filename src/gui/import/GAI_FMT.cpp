// The options dialog of the Gerber import.
#include "gui/import/GAI_FMT.h"

#include "gui/base/OptionFrame.h"

#include <QButtonGroup>
#include <QLabel>

namespace talmir {

GAI_FMT::GAI_FMT(QWidget* parent) : OptionsDialog(QStringLiteral(" ガーバーフォーマット"), parent) {
    const importers::GerberImportOptions defaults;
    m_guess = new QLabel(this);
    m_guess->setObjectName(QStringLiteral("GuessLine"));
    m_guess->hide();
    body().addWidget(m_guess);
    // The millimetre forms keep their captions ("1.23" is 1.23 mm); the inch forms
    // and the millionths follow as the drill import names them.
    std::array<QRadioButton*, 7> millimetres{};
    QGroupBox* mm = optionFrame<7>(this, QStringLiteral("入力単位(1.23mm)"),
                                   {"1.23", "123", "1230", "12300", "X00123", "X000123", "123000"},
                                   millimetres, 0);
    auto* inch = new QGroupBox(QStringLiteral("入力単位(1.23inch)"), this);
    auto* inchLayout = new QVBoxLayout(inch);
    m_unitGroup = new QButtonGroup(this);
    for (int k = 0; k < importers::kCoordinateUnitCount; ++k) {
        QRadioButton* button = k < 7 ? millimetres.at(static_cast<std::size_t>(k)) : nullptr;
        if (button == nullptr) {
            const importers::CoordinateForm& form =
                importers::coordinateForm(static_cast<importers::CoordinateUnit>(k));
            button = new QRadioButton(QString::fromUtf8(form.caption), form.inch ? inch : mm);
            if (form.inch) {
                inchLayout->addWidget(button);
            } else {
                auto* layout = static_cast<QVBoxLayout*>(mm->layout());
                layout->insertWidget(layout->count() - 1, button);  // above the stretch
            }
        }
        m_units.at(static_cast<std::size_t>(k)) = button;
        m_unitGroup->addButton(button, k);
    }
    inchLayout->addStretch();
    m_units.at(static_cast<std::size_t>(defaults.unit))->setChecked(true);
    addFrameRow({mm, inch,
                 optionFrame<2>(this, QStringLiteral("座標形式"), {"ABS", "INC"}, m_modes,
                                defaults.incremental ? 1 : 0)});
    m_row = addRunCancel([this] { Command1_Click(); }, [this] { Command2_Click(); });
}

void GAI_FMT::applyGuess(const importers::GerberGuess& guess) {
    m_units.at(static_cast<std::size_t>(guess.unit))->setChecked(true);
    m_modes.at(guess.incremental ? 1 : 0)->setChecked(true);
    m_guess->setText(QString::fromStdString(guess.summary));
    m_guess->setVisible(guess.evidence);
}

importers::GerberImportOptions GAI_FMT::chosen() const {
    const importers::GerberImportOptions defaults;
    importers::GerberImportOptions options;
    options.unit = m_unitGroup->checkedId() < 0 ? defaults.unit : m_unitGroup->checkedId();
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
