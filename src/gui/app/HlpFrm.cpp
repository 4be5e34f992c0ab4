#include "app/HlpFrm.h"

#include "app/WindowBounds.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace talmir {

HlpFrm::HlpFrm(QWidget* parent) : QDialog(parent), m_text(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Orvanta"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    m_text->setReadOnly(true);
    QFile readMe(QStringLiteral(":/talmir/ReadMe.txt"));
    if (readMe.open(QIODevice::ReadOnly)) {
        m_text->setPlainText(QString::fromUtf8(readMe.readAll()));
    }
    // 11220 x 9000 twips.
    resize(app::twipsToPixels(11220, logicalDpiX()), app::twipsToPixels(9000, logicalDpiY()));
}

QString HlpFrm::text() const {
    return m_text->toPlainText();
}

}  // namespace talmir
