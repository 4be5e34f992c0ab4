#pragma once
// The ReadMe viewer: the program's own ReadMe text, read-only, filling the window.

#include <QDialog>

class QPlainTextEdit;

namespace talmir {

class HlpFrm : public QDialog {
    Q_OBJECT
public:
    explicit HlpFrm(QWidget* parent = nullptr);

    QString text() const;

private:
    QPlainTextEdit* m_text;
};

}  // namespace talmir
