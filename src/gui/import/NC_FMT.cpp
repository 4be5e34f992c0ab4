// The options dialog of the drill-data import.
#include "gui/import/NC_FMT.h"

#include "gui/base/OptionFrame.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace talmir {

namespace {

using importers::CoordinateUnit;
using importers::DrillHoleRule;
using importers::DrillToolRule;

// `box` under the last option of `frame`, labelled `label` when there is one.
QLineEdit* addBox(QGroupBox* frame, const QString& label, const QString& text) {
    auto* box = new QLineEdit(text, frame);
    auto* form = new QFormLayout;
    form->addRow(label, box);
    auto* layout = static_cast<QVBoxLayout*>(frame->layout());
    layout->insertLayout(layout->count() - 1, form);  // above the closing stretch
    return box;
}

}  // namespace

NC_FMT::NC_FMT(QWidget* parent) : OptionsDialog(QStringLiteral("ＮＣフォーマット"), parent) {
    m_guess = new QLabel(this);
    m_guess->setObjectName(QStringLiteral("GuessLine"));
    m_guess->hide();
    body().addWidget(m_guess);
    buildUnitFrames();
    buildRuleFrames();
    m_row = addRunCancel([this] { Command1_Click(); }, [this] { Command2_Click(); });
    applyRules();
}

void NC_FMT::buildUnitFrames() {
    // The millimetre forms in one frame, the inch forms in another, one choice
    // across both.
    auto* mm = new QGroupBox(QStringLiteral("単位(1.23㎜)"), this);
    auto* inch = new QGroupBox(QStringLiteral("単位(1.23inch)"), this);
    auto* mmLayout = new QVBoxLayout(mm);
    auto* inchLayout = new QVBoxLayout(inch);
    m_unitGroup = new QButtonGroup(this);
    for (int k = 0; k < importers::kCoordinateUnitCount; ++k) {
        const importers::CoordinateForm& form =
            importers::coordinateForm(static_cast<CoordinateUnit>(k));
        auto* button = new QRadioButton(QString::fromUtf8(form.caption), form.inch ? inch : mm);
        (form.inch ? inchLayout : mmLayout)->addWidget(button);
        m_units.at(static_cast<std::size_t>(k)) = button;
        m_unitGroup->addButton(button, k);
    }
    mmLayout->addStretch();
    inchLayout->addStretch();
    m_units.at(static_cast<std::size_t>(importers::DrillOptions{}.unit))->setChecked(true);
    QGroupBox* modes =
        optionFrame<2>(this, QStringLiteral("座標形式"), {"ABS (G90)", "INC (G91)"}, m_modes, 0);
    QGroupBox* ends =
        optionFrame<3>(this, QStringLiteral("改行ｺｰﾄﾞ"), {"*", "LF", "CR"}, m_blockEnds, 0);
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(modes);
    layout->addWidget(ends);
    addFrameRow({mm, inch, column});
}

void NC_FMT::buildRuleFrames() {
    const importers::DrillOptions defaults;
    QGroupBox* holes = optionFrame<3>(this, QStringLiteral("座標変換方法"),
                                      {"座標全てを穴データとする", "指定コードを穴とする",
                                       "指定コードを穴とする(サイクルモード)"},
                                      m_holeRules, 0);
    m_holeCode = addBox(holes, QString(), QString::fromStdString(defaults.holeCode));
    m_cycleCodes[0] =
        addBox(holes, QStringLiteral("ｻｲｸﾙｺｰﾄﾞ"), QString::fromStdString(defaults.cycleCode));
    m_cycleCodes[1] =
        addBox(holes, QStringLiteral("ｷｬﾝｾﾙｺｰﾄﾞ"), QString::fromStdString(defaults.cancelCode));
    QGroupBox* tools = optionFrame<2>(
        this, QStringLiteral("Ｔコード変換方法"),
        {"座標の無いデータをTコードへ変換する", "指定文字をTコードへ変換"}, m_toolRules, 0);
    m_toolCode = addBox(tools, QString(), QString::fromStdString(defaults.toolCode));
    addFrameRow({holes, tools});
    for (QRadioButton* option : m_holeRules) {
        connect(option, &QRadioButton::toggled, this, [this] { applyRules(); });
    }
    for (QRadioButton* option : m_toolRules) {
        connect(option, &QRadioButton::toggled, this, [this] { applyRules(); });
    }
    connect(m_holeCode, &QLineEdit::textChanged, this, [this] { applyRules(); });
}

// Hole rule 0 and 2 leave the tool rule free; rule 1 with "D03" (Gerber flash
// data, whose D codes are the tools) takes it away.
void NC_FMT::applyRules() {
    const int hole = checkedIndex(m_holeRules, 0);
    m_holeCode->setEnabled(hole == 1);
    for (QLineEdit* box : m_cycleCodes) {
        box->setEnabled(hole == 2);
    }
    const bool toolsFree = hole != 1 || m_holeCode->text() != QLatin1String("D03");
    for (QRadioButton* option : m_toolRules) {
        option->setEnabled(toolsFree);
    }
    m_toolCode->setEnabled(toolsFree && checkedIndex(m_toolRules, 0) == 1);
}

void NC_FMT::applyGuess(const importers::DrillGuess& guess) {
    const importers::DrillOptions& o = guess.options;
    m_units.at(static_cast<std::size_t>(o.unit))->setChecked(true);
    m_modes.at(o.incremental ? 1 : 0)->setChecked(true);
    m_holeRules.at(static_cast<std::size_t>(o.holeRule))->setChecked(true);
    m_toolRules.at(static_cast<std::size_t>(o.toolRule))->setChecked(true);
    m_blockEnds.at(static_cast<std::size_t>(guess.separator))->setChecked(true);
    m_holeCode->setText(QString::fromStdString(o.holeCode));
    m_cycleCodes[0]->setText(QString::fromStdString(o.cycleCode));
    m_cycleCodes[1]->setText(QString::fromStdString(o.cancelCode));
    m_toolCode->setText(QString::fromStdString(o.toolCode));
    m_guess->setText(QString::fromStdString(guess.summary));
    m_guess->setVisible(guess.evidence);
    applyRules();
}

importers::DrillOptions NC_FMT::chosen() const {
    importers::DrillOptions options;
    options.unit = static_cast<CoordinateUnit>(std::max(0, m_unitGroup->checkedId()));
    options.incremental = checkedIndex(m_modes, 0) == 1;
    options.holeRule = static_cast<DrillHoleRule>(checkedIndex(m_holeRules, 0));
    options.toolRule = static_cast<DrillToolRule>(checkedIndex(m_toolRules, 0));
    options.holeCode = m_holeCode->text().toStdString();
    options.cycleCode = m_cycleCodes[0]->text().toStdString();
    options.cancelCode = m_cycleCodes[1]->text().toStdString();
    options.toolCode = m_toolCode->text().toStdString();
    return options;
}

// An empty code the chosen rules need gets the focus instead of a conversion.
void NC_FMT::Command1_Click() {
    const importers::DrillOptions options = chosen();
    QLineEdit* missing = nullptr;
    if (options.holeRule == DrillHoleRule::Code && options.holeCode.empty()) {
        missing = m_holeCode;
    } else if (options.holeRule == DrillHoleRule::Cycle && options.cycleCode.empty()) {
        missing = m_cycleCodes[0];
    } else if (options.holeRule == DrillHoleRule::Cycle && options.cancelCode.empty()) {
        missing = m_cycleCodes[1];
    } else if (m_toolCode->isEnabled() && options.toolCode.empty()) {
        missing = m_toolCode;
    }
    if (missing != nullptr) {
        missing->setFocus();
        return;
    }
    execute(options);
}

void NC_FMT::Command2_Click() {
    reject();
}

}  // namespace talmir
