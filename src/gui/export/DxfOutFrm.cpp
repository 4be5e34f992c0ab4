// The colour dialog of the G-code to DXF export.
#include "gui/export/DxfOutFrm.h"

#include "core/app/SettingsStore.h"
#include "core/app/ShellKeys.h"
#include "core/export/GcodeToDxf.h"
#include "core/text/NumericValue.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

namespace talmir {

namespace {

constexpr std::string_view kOptionKey = "DxfOption";
constexpr std::string_view kColourKey = "DxfColor";
constexpr int kColourColumn = 1;

// Colour boxes take one of the keys 1 to 7 (or nothing while being retyped).
void acceptColourKeys(QLineEdit* box) {
    box->setMaxLength(1);
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-7]?")), box));
}

QString colourText(double colour) {
    return QString::number(static_cast<int>(colour));
}

}  // namespace

DxfOutFrm::DxfOutFrm(app::SettingsStore& settings, const QStringList& layers, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(QStringLiteral("DXFの色設定"));
    setModal(true);

    m_grid = new QTableWidget(static_cast<int>(layers.size()), 2, this);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("画層名"), QStringLiteral("色番号")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < layers.size(); ++row) {
        m_grid->setItem(row, 0, new QTableWidgetItem(layers[row]));
        m_grid->setItem(row, kColourColumn, new QTableWidgetItem());
    }
    connect(m_grid, &QTableWidget::cellClicked, this, &DxfOutFrm::cellClicked);

    auto* frame = new QGroupBox(this);
    auto* frameLayout = new QGridLayout(frame);
    const QString captions[] = {QStringLiteral("全色出力"), QStringLiteral("同一色")};
    for (int index = 0; index < 2; ++index) {
        auto* button = new QRadioButton(captions[index], frame);
        m_options[static_cast<std::size_t>(index)] = button;
        frameLayout->addWidget(button, index, 0);
        connect(button, &QRadioButton::clicked, this, [this, index] { Option1_Click(index); });
    }
    frameLayout->addWidget(new QLabel(QStringLiteral("色番号(1～7)"), frame), 2, 0);
    m_common = new QLineEdit(frame);
    m_common->setAccessibleName(QStringLiteral("指定色"));
    acceptColourKeys(m_common);
    frameLayout->addWidget(m_common, 2, 1);
    connect(m_common, &QLineEdit::textChanged, this, &DxfOutFrm::commonColourChanged);

    m_cellEditor = new QLineEdit(this);
    acceptColourKeys(m_cellEditor);
    m_cellEditor->setEnabled(false);
    connect(m_cellEditor, &QLineEdit::textEdited, this, &DxfOutFrm::cellEdited);

    auto* buttons = new QHBoxLayout;
    const QString commands[] = {QStringLiteral("実行"), QStringLiteral("ｷｬﾝｾﾙ")};
    for (int index = 0; index < 2; ++index) {
        auto* button = new QPushButton(commands[index], this);
        m_commands[static_cast<std::size_t>(index)] = button;
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
    }
    m_commands[0]->setDefault(true);

    auto* side = new QVBoxLayout;
    side->addWidget(frame);
    side->addWidget(m_cellEditor);
    side->addStretch();
    side->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(side);

    Form_Load();
}

void DxfOutFrm::Form_Load() {
    const int index = m_settings.getNumber(app::kTalmirSection, kOptionKey, 0) == 1 ? 1 : 0;
    QString common =
        QString::fromStdString(m_settings.getText(app::kTalmirSection, kColourKey, "5"));
    // A stored colour the box could not have taken falls back to the usual one.
    if (common.size() != 1 || common[0] < QLatin1Char('1') || common[0] > QLatin1Char('7')) {
        common = QStringLiteral("5");
    }
    m_common->setText(common);
    m_options[static_cast<std::size_t>(index)]->setChecked(true);
    applyColouring(index);
}

void DxfOutFrm::applyColouring(int index) {
    const auto mode = index == 1 ? exporters::DxfColourMode::Same : exporters::DxfColourMode::All;
    const auto colours =
        exporters::dxfDialogColours(mode, text::numericValue(m_common->text().toStdString()),
                                    static_cast<std::size_t>(m_grid->rowCount()));
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        m_grid->item(row, kColourColumn)
            ->setText(colourText(colours[static_cast<std::size_t>(row)]));
    }
    m_common->setEnabled(index == 1);
    m_cellEditor->setEnabled(false);
    m_editedRow = -1;
}

void DxfOutFrm::Option1_Click(int index) {
    m_options[static_cast<std::size_t>(index)]->setChecked(true);
    applyColouring(index);
    m_settings.setText(app::kTalmirSection, kOptionKey, index == 1 ? "1" : "0");
}

void DxfOutFrm::commonColourChanged() {
    // With "同一色" chosen the rows always follow the common colour, so what the
    // box shows is what gets written; otherwise only a selected colour column takes it.
    const bool columnSelected =
        m_grid->selectionModel() != nullptr &&
        m_grid->selectionModel()->isColumnSelected(kColourColumn, QModelIndex());
    if (m_common->text().isEmpty() || !(m_options[1]->isChecked() || columnSelected)) {
        return;
    }
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        m_grid->item(row, kColourColumn)->setText(m_common->text());
    }
}

void DxfOutFrm::cellClicked(int row, int column) {
    if (column != kColourColumn) {
        return;
    }
    m_common->setEnabled(false);
    m_cellEditor->setEnabled(true);
    m_cellEditor->setText(m_grid->item(row, column)->text());
    m_editedRow = row;
}

void DxfOutFrm::cellEdited() {
    if (m_editedRow >= 0 && m_editedRow < m_grid->rowCount()) {
        m_grid->item(m_editedRow, kColourColumn)->setText(m_cellEditor->text());
    }
}

void DxfOutFrm::Command1_Click(int index) {
    if (index == 0) {
        std::vector<double> colours;
        colours.reserve(static_cast<std::size_t>(m_grid->rowCount()));
        for (int row = 0; row < m_grid->rowCount(); ++row) {
            colours.push_back(
                text::numericValue(m_grid->item(row, kColourColumn)->text().toStdString()));
        }
        m_colours = std::move(colours);
    }
    m_settings.setText(app::kTalmirSection, kColourKey, m_common->text().toStdString());
    index == 0 ? accept() : reject();
}

}  // namespace talmir
