#include "gui/editor/HenkanFrm.h"

#include "core/editor/Replace.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace talmir {

namespace {

const QString kCaption = QStringLiteral("置換");

}  // namespace

HenkanFrm::HenkanFrm(EditFrm& frm) : QDialog(&frm), m_frm(frm) {
    setObjectName(QStringLiteral("HenkanFrm"));
    setWindowTitle(kCaption);
    setModal(false);
    m_search = new QLineEdit(this);
    m_replace = new QLineEdit(this);
    m_search->setMinimumWidth(240);
    m_execute = new QPushButton(QStringLiteral("実行"), this);
    m_execute->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("検索する文字列"), m_search);
    form->addRow(QStringLiteral("置換後の文字列"), m_replace);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_execute);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_execute, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void HenkanFrm::Command2_Click() {
    std::size_t unmappable = 0;
    const std::string find = text::utf8ToShiftJis(m_search->text().toStdString(), &unmappable);
    const std::string replacement = text::utf8ToShiftJis(m_replace->text().toStdString());
    std::size_t count = 0;
    const bool done = m_frm.guard().run({}, [&] {
        TextPane& pane = m_frm.pane();
        const std::string snapshot = text::paneSnapshot(pane.shiftJis());
        // A search text with a character Shift-JIS cannot hold matches nothing.
        editor::Replaced result = unmappable > 0 ? editor::Replaced{snapshot, 0}
                                                 : editor::replaceAll(snapshot, find, replacement);
        count = result.count;
        pane.setShiftJis(result.text);
    });
    if (done) {
        m_frm.dialogs().message(this, QString::fromStdString(editor::replacedMessage(count)), {},
                                MessageIcon::None);
    }
}

HenkanFrm& MnuHenkan_Click(EditFrm& frm) {
    auto* dialog = frm.findChild<HenkanFrm*>(QStringLiteral("HenkanFrm"));
    if (dialog == nullptr) {
        dialog = new HenkanFrm(frm);
    } else if (dialog->isVisible()) {
        dialog->close();
    }
    dialog->setWindowTitle(kCaption);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return *dialog;
}

namespace {

const EditFrmCommandRegistration kHenkan{"MnuHenkan_Click",
                                         [](EditFrm& frm) { MnuHenkan_Click(frm); }};

}  // namespace

}  // namespace talmir
