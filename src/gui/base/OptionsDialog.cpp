#include "gui/base/OptionsDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace talmir {

RunCancelButtons runCancelButtons(QWidget* parent, std::function<void()> run,
                                  std::function<void()> cancel) {
    RunCancelButtons buttons;
    buttons.run = new QPushButton(QStringLiteral("実行"), parent);
    buttons.cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), parent);
    QObject::connect(buttons.run, &QPushButton::clicked, buttons.run, std::move(run));
    QObject::connect(buttons.cancel, &QPushButton::clicked, buttons.cancel, std::move(cancel));
    return buttons;
}

OptionsDialogBase::OptionsDialogBase(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    setModal(true);
    // A nested layout takes no margins and the outer spacing, so the body sits
    // exactly where the frames would sit in the outer layout itself.
    auto* layout = new QVBoxLayout(this);
    m_body = new QVBoxLayout;
    m_row = new QHBoxLayout;
    m_row->addStretch();
    layout->addLayout(m_body);
    layout->addLayout(m_row);
}

void OptionsDialogBase::addFrameRow(std::initializer_list<QWidget*> frames) {
    auto* row = new QHBoxLayout;
    for (QWidget* frame : frames) {
        row->addWidget(frame);
    }
    m_body->addLayout(row);
}

void OptionsDialogBase::addToRow(QPushButton* button) {
    if (m_rowEmpty) {
        button->setDefault(true);
        m_rowEmpty = false;
    }
    m_row->addWidget(button);
}

RunCancelButtons OptionsDialogBase::addRunCancel(std::function<void()> run,
                                                 std::function<void()> cancel) {
    const RunCancelButtons buttons = runCancelButtons(this, std::move(run), std::move(cancel));
    addToRow(buttons.run);
    addToRow(buttons.cancel);
    return buttons;
}

}  // namespace talmir
