#include "gui/base/InpFrm.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace talmir {

InpFrm::InpFrm(QWidget* parent) : QDialog(parent), m_text(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("入力ボックス"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("データ入力"), this));
    layout->addWidget(m_text);
    connect(m_text, &QLineEdit::returnPressed, this, &QDialog::accept);
}

void InpFrm::setText(const QString& text) {
    m_text->setText(text);
    m_text->selectAll();
}

QString InpFrm::text() const {
    return m_text->text();
}

}  // namespace talmir
