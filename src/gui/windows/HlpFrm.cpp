#include "gui/windows/HlpFrm.h"

#include "core/app/WindowBounds.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

// The resources live in a static library: they are registered on first use.
static void initTalmirResources() {
    Q_INIT_RESOURCE(talmir);
}

namespace talmir {

HlpFrm::HlpFrm(QWidget* parent) : QDialog(parent), m_text(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Orvanta"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    m_text->setReadOnly(true);
    initTalmirResources();
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
