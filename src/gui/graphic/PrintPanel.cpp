#include "gui/graphic/PrintPanel.h"

#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace talmir {

namespace {

QGroupBox* frameOf(const QString& title, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(content);
    return box;
}

}  // namespace

PrintPanel::PrintPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PrintPanel"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    m_setup = new QPushButton(QStringLiteral("ﾌﾟﾘﾝﾀ設定"), this);
    layout->addWidget(m_setup);

    m_pointSize = new QComboBox(this);
    m_pointSize->addItem(QStringLiteral("なし"), 0);
    for (int n = 1; n <= 10; ++n) {
        m_pointSize->addItem(QString::number(n), n);
    }
    layout->addWidget(frameOf(QStringLiteral("点の大きさ"), m_pointSize, this));

    m_lineWidth = new QComboBox(this);
    for (int n = 1; n <= 10; ++n) {
        m_lineWidth->addItem(QString::number(n), n);
    }
    layout->addWidget(frameOf(QStringLiteral("線の太さ"), m_lineWidth, this));

    m_scale = new QLineEdit(QStringLiteral("1.0000"), this);
    layout->addWidget(frameOf(QStringLiteral("倍率"), m_scale, this));

    m_paper = new QComboBox(this);
    const std::pair<const char*, int> papers[] = {{"B5", 13}, {"B4", 12}, {"A4", 9}, {"A3", 8}};
    for (const auto& [name, code] : papers) {
        m_paper->addItem(QLatin1String(name), code);
    }
    layout->addWidget(frameOf(QStringLiteral("用紙"), m_paper, this));

    auto* ink = new QWidget(this);
    auto* inkLayout = new QVBoxLayout(ink);
    inkLayout->setContentsMargins(0, 0, 0, 0);
    m_colourInk = new QRadioButton(QStringLiteral("カラー"), ink);
    m_blackInk = new QRadioButton(QStringLiteral("黒"), ink);
    m_colourInk->setChecked(true);
    inkLayout->addWidget(m_colourInk);
    inkLayout->addWidget(m_blackInk);
    layout->addWidget(frameOf(QStringLiteral("ｲﾝｸ"), ink, this));

    auto* orientation = new QWidget(this);
    auto* orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->setContentsMargins(0, 0, 0, 0);
    m_portrait = new QRadioButton(QStringLiteral("縦向き"), orientation);
    m_landscape = new QRadioButton(QStringLiteral("横向き"), orientation);
    m_portrait->setChecked(true);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);
    layout->addWidget(frameOf(QStringLiteral("印刷方向"), orientation, this));

    m_printerName = new QLabel(this);
    m_printerName->setWordWrap(true);
    layout->addWidget(m_printerName);
    m_cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    layout->addWidget(m_cancel);
    layout->addStretch(1);

    setFocusPolicy(Qt::ClickFocus);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &PrintPanel::pageChanged);
    connect(m_landscape, &QRadioButton::toggled, this, &PrintPanel::pageChanged);
    connect(m_blackInk, &QRadioButton::toggled, this, &PrintPanel::inkChanged);
    // The scale is read when the box is left, and shown as it was read.
    connect(m_scale, &QLineEdit::editingFinished, this, [this] {
        const double value = scale();
        const QString shown = QString::fromStdString(text::formatPicture(value, "##0.000"));
        if (m_scale->text() != shown) {
            m_scale->setText(shown);
        }
        emit pageChanged();
    });
}

double PrintPanel::scale() const {
    const double value = text::numericValue(m_scale->text().toStdString());
    return value > 0.1 ? value : 1.0;
}

}  // namespace talmir
