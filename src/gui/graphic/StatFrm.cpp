#include "gui/graphic/StatFrm.h"

#include "core/graphic/PlotScanner.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"
#include "core/text/ShiftJis.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace talmir {

namespace {

QString number(double value, const char* picture = "0.000") {
    return QString::fromStdString(text::formatPicture(value, picture));
}

QString layerLine(const graphic::LayerMeasure& layer, const QString& name) {
    return QStringLiteral("%1\n  切削 %2 mm  早送り %3 mm  要素 %4  穴 %5  時間 %6 分\n")
        .arg(name, number(layer.cutLength), number(layer.rapidLength))
        .arg(layer.elements)
        .arg(layer.holes)
        .arg(number(layer.time, "0.00"));
}

// A feed typed by the user, or `fallback` when it is no positive number.
double feedOf(const QLineEdit& box, double fallback) {
    const double feed = text::numericValue(box.text().toStdString());
    return feed > 0 && std::isfinite(feed) ? feed : fallback;
}

}  // namespace

QString measureSummary(const graphic::ProgramMeasure& measure) {
    return QStringLiteral("切削 %1mm  早送り %2mm  要素 %3")
        .arg(number(measure.total.cutLength, "0.0"), number(measure.total.rapidLength, "0.0"))
        .arg(measure.total.elements);
}

StatFrm::StatFrm(ProgramTexts texts, QWidget* parent) : QDialog(parent), m_texts(std::move(texts)) {
    setObjectName(QStringLiteral("StatFrm"));
    setWindowTitle(QStringLiteral("プログラム統計"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const graphic::Feeds defaults;
    m_rapid = new QLineEdit(number(defaults.rapid, "0"), this);
    m_rapid->setObjectName(QStringLiteral("Text1"));
    m_cut = new QLineEdit(number(defaults.cut, "0"), this);
    m_cut->setObjectName(QStringLiteral("Text2"));
    form->addRow(QStringLiteral("早送り速度 (mm/分)"), m_rapid);
    form->addRow(QStringLiteral("切削送り (F のないとき, mm/分)"), m_cut);
    layout->addLayout(form);
    m_report = new QPlainTextEdit(this);
    m_report->setObjectName(QStringLiteral("Text3"));
    m_report->setReadOnly(true);
    m_report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_report, 1);
    auto* run = new QPushButton(QStringLiteral("再計算"), this);
    run->setObjectName(QStringLiteral("Command1"));
    layout->addWidget(run);
    connect(run, &QPushButton::clicked, this, &StatFrm::Command1_Click);
    resize(520, 420);
    Command1_Click();
}

void StatFrm::Command1_Click() {
    graphic::Feeds feeds;
    feeds.rapid = feedOf(*m_rapid, feeds.rapid);
    feeds.cut = feedOf(*m_cut, feeds.cut);
    graphic::PlotTables tables;
    const std::string_view gcode = m_texts.gcodeText ? *m_texts.gcodeText : std::string_view();
    graphic::ScanTexts scan;
    if (m_texts.holeText) {
        scan.holeText = *m_texts.holeText;
    }
    scan.gcodeText = gcode;
    graphic::scanPlotTables(tables, scan);
    m_stats = graphic::programStatistics(tables, gcode, feeds);
    QString out;
    for (const graphic::LayerMeasure& layer : m_stats.layers) {
        out += layerLine(layer, QString::fromStdString(text::shiftJisToUtf8(layer.name)));
    }
    out += layerLine(m_stats.total, QStringLiteral("合計"));
    if (m_stats.hasBox) {
        out += QStringLiteral("範囲  X %1 〜 %2  Y %3 〜 %4\n")
                   .arg(number(m_stats.box[0]), number(m_stats.box[2]), number(m_stats.box[1]),
                        number(m_stats.box[3]));
    }
    m_report->setPlainText(out);
}

}  // namespace talmir
