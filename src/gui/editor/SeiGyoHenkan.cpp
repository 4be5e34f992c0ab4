#include "gui/editor/SeiGyoHenkan.h"

#include "core/editor/ControlChars.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace talmir {

namespace {

QComboBox* keywordBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems({QStringLiteral("CrLf"), QStringLiteral("Cr"), QStringLiteral("Lf")});
    box->setCurrentIndex(0);
    box->setMinimumWidth(120);
    return box;
}

// The Shift-JIS text a box stands for; false when it holds a character that
// Shift-JIS cannot hold.
bool mapped(const QComboBox& box, std::string& bytes) {
    std::size_t unmappable = 0;
    bytes =
        text::utf8ToShiftJis(editor::controlKeyword(box.currentText().toStdString()), &unmappable);
    return unmappable == 0;
}

}  // namespace

SeiGyoHenkan::SeiGyoHenkan(EditFrm& frm) : QDialog(&frm), m_frm(frm) {
    setWindowTitle(QStringLiteral("制御文字変換"));
    m_find = keywordBox(this);
    m_replace = keywordBox(this);
    m_delete = keywordBox(this);

    auto* replaceFrame = new QGroupBox(QStringLiteral("置き換え"), this);
    auto* replaceForm = new QFormLayout;
    replaceForm->addRow(QStringLiteral("検索する制御文字"), m_find);
    replaceForm->addRow(QStringLiteral("置換える文字列"), m_replace);
    auto* replaceButton = new QPushButton(QStringLiteral("置き換え"), replaceFrame);
    auto* replaceRow = new QHBoxLayout(replaceFrame);
    replaceRow->addLayout(replaceForm);
    replaceRow->addWidget(replaceButton, 0, Qt::AlignBottom);

    auto* deleteFrame = new QGroupBox(QStringLiteral("削除"), this);
    auto* deleteForm = new QFormLayout;
    deleteForm->addRow(QStringLiteral("削除する制御文字"), m_delete);
    auto* deleteButton = new QPushButton(QStringLiteral("削除"), deleteFrame);
    auto* deleteRow = new QHBoxLayout(deleteFrame);
    deleteRow->addLayout(deleteForm);
    deleteRow->addWidget(deleteButton, 0, Qt::AlignBottom);

    for (QPushButton* button : {replaceButton, deleteButton}) {
        button->setAutoDefault(false);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(replaceFrame);
    layout->addWidget(deleteFrame);

    connect(replaceButton, &QPushButton::clicked, this, [this] { Command1_Click(1); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { Command1_Click(2); });
}

void SeiGyoHenkan::Command1_Click(int index) {
    if (index != 1 && index != 2) {
        return;
    }
    std::string find;
    std::string replacement;
    const bool findable = mapped(index == 1 ? *m_find : *m_delete, find);
    if (index == 1) {
        mapped(*m_replace, replacement);
    }
    std::size_t count = 0;
    const bool done = m_frm.guard().run({}, [&] {
        TextPane& pane = m_frm.pane();
        const std::string snapshot = text::paneSnapshot(pane.shiftJis());
        editor::Replaced result = findable
                                      ? editor::convertControlChars(snapshot, find, replacement)
                                      : editor::Replaced{snapshot, 0};
        count = result.count;
        pane.setShiftJis(result.text);
    });
    if (done) {
        const std::string message = index == 1 ? editor::controlReplacedMessage(count)
                                               : editor::controlDeletedMessage(count);
        m_frm.dialogs().message(this, QString::fromStdString(message), {}, MessageIcon::None);
    }
}

void MnuSeigyo_Click(EditFrm& frm) {
    SeiGyoHenkan dialog(frm);
    dialog.exec();
}

namespace {

const EditFrmCommandRegistration kSeigyo{"MnuSeigyo_Click",
                                         [](EditFrm& frm) { MnuSeigyo_Click(frm); }};

}  // namespace

}  // namespace talmir
