#pragma once
// The one-line input box: the caller fills the box, shows it modally and reads
// back whatever the box holds when it closes. Enter closes it.

#include <QDialog>

class QLineEdit;

namespace talmir {

class InpFrm : public QDialog {
    Q_OBJECT
public:
    explicit InpFrm(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;

private:
    QLineEdit* m_text;
};

}  // namespace talmir
