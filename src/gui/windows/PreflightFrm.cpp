#include "gui/windows/PreflightFrm.h"

#include "core/text/NumericValue.h"
#include "gui/base/TextPane.h"
#include "gui/windows/ProgramWindow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace talmir {

namespace {

const ProgramWindowCommandRegistration kCheck{
    ProgramWindow::Kind::Gcode, "MnuCheck_Click", [](ProgramWindow& window) {
        auto* frm = window.window().findChild<PreflightFrm*>(QString(), Qt::FindDirectChildrenOnly);
        if (frm == nullptr) {
            frm = new PreflightFrm(window);
        }
        frm->Command1_Click();
        frm->show();
        frm->raise();
    }};

// "L,B,R,T" as the working area; anything else: no area.
std::optional<std::array<double, 4>> areaOf(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) {
        return std::nullopt;
    }
    std::array<double, 4> box{};
    for (int k = 0; k < 4; ++k) {
        bool ok = false;
        box[static_cast<std::size_t>(k)] = parts[k].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(box[static_cast<std::size_t>(k)])) {
            return std::nullopt;
        }
    }
    return box[0] <= box[2] && box[1] <= box[3] ? std::optional(box) : std::nullopt;
}

}  // namespace

PreflightFrm::PreflightFrm(ProgramWindow& window)
    : QWidget(&window.window(), Qt::Tool), m_window(window) {
    setObjectName(QStringLiteral("PreflightFrm"));
    setWindowTitle(QStringLiteral("プログラムのチェック"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_tolerance = new QLineEdit(QStringLiteral("0.002"), this);
    m_tolerance->setObjectName(QStringLiteral("Text1"));
    m_area = new QLineEdit(this);
    m_area->setObjectName(QStringLiteral("Text2"));
    m_area->setPlaceholderText(QStringLiteral("左,下,右,上 (空欄: 範囲のチェックなし)"));
    form->addRow(QStringLiteral("円弧の許容差 (mm)"), m_tolerance);
    form->addRow(QStringLiteral("作業範囲"), m_area);
    layout->addLayout(form);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    layout->addWidget(m_list, 1);
    auto* again = new QPushButton(QStringLiteral("再チェック"), this);
    again->setObjectName(QStringLiteral("Command1"));
    layout->addWidget(again);
    connect(again, &QPushButton::clicked, this, &PreflightFrm::Command1_Click);
    connect(m_list, &QListWidget::currentRowChanged, this, &PreflightFrm::List1_Click);
    resize(520, 360);
}

void PreflightFrm::Command1_Click() {
    if (!m_window.TextOrTree(0)) {
        return;
    }
    editor::CheckOptions options;
    const double tolerance = text::numericValue(m_tolerance->text().toStdString());
    if (tolerance >= 0 && std::isfinite(tolerance)) {
        options.arcTolerance = tolerance;
    }
    options.area = areaOf(m_area->text());
    m_findings = editor::checkProgram(m_window.snapshot(), options);
    m_list->clear();
    for (const editor::Finding& finding : m_findings) {
        m_list->addItem(QString::number(finding.line) + QStringLiteral(": ") +
                        QString::fromStdString(finding.text));
    }
    if (m_findings.empty()) {
        m_list->addItem(QStringLiteral("問題は見つかりませんでした。"));
    }
}

void PreflightFrm::List1_Click(int row) {
    if (row < 0 || row >= static_cast<int>(m_findings.size()) || !m_window.TextOrTree(0)) {
        return;
    }
    TextPane& pane = m_window.pane();
    const int line = static_cast<int>(m_findings[static_cast<std::size_t>(row)].line) - 1;
    // The line without its line end.
    pane.SendScintilla(TextPane::SCI_SETSEL,
                       static_cast<unsigned long>(pane.positionOfFileLine(line)),
                       pane.fileLineEndPosition(line));
    pane.SendScintilla(TextPane::SCI_SCROLLCARET);
    m_window.window().activateWindow();
}

}  // namespace talmir
