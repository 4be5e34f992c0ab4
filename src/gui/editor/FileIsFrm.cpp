#include "gui/editor/FileIsFrm.h"

#include "core/Failure.h"
#include "core/editor/FileCompare.h"
#include "core/editor/TextChars.h"
#include "core/text/Lines.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/PaneText.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <exception>

namespace talmir {

namespace {

const QString kAllFilesFilter = QStringLiteral("全てのﾌｧｲﾙ(*.*)|*.*");

}  // namespace

FileIsFrm::FileIsFrm(EditFrm& frm) : QDialog(&frm), m_frm(frm) {
    setWindowTitle(QStringLiteral("ファイル比較"));
    auto* columns = new QGridLayout;
    const QString captions[2] = {QStringLiteral("比較元のファイル"),
                                 QStringLiteral("比較先のファイル")};
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_paths[k] = new QLineEdit(this);
        m_paths[k]->setReadOnly(true);
        m_browse[k] = new QPushButton(QStringLiteral("参照"), this);
        m_browse[k]->setAutoDefault(false);
        m_panes[k] = new TextPane(this);
        // A dump has no line breaks; wrapped at its blanks it reads as rows of bytes.
        m_panes[k]->setWrapMode(QsciScintilla::WrapWord);
        auto* pathRow = new QHBoxLayout;
        pathRow->addWidget(m_paths[k], 1);
        pathRow->addWidget(m_browse[k]);
        columns->addWidget(new QLabel(captions[i], this), 0, i);
        columns->addLayout(pathRow, 1, i);
        columns->addWidget(m_panes[k], 2, i);
        connect(m_browse[k], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    columns->setRowStretch(2, 1);

    m_options[0] = new QRadioButton(QStringLiteral("テキスト形式"), this);
    m_options[1] = new QRadioButton(QStringLiteral("１６進形式"), this);
    auto* group = new QButtonGroup(this);
    m_compare = new QPushButton(QStringLiteral("実行"), this);
    m_compare->setAutoDefault(false);
    auto* controls = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        QRadioButton* option = m_options[static_cast<std::size_t>(i)];
        group->addButton(option, i);
        controls->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    controls->addStretch();
    controls->addWidget(m_compare);
    connect(m_compare, &QPushButton::clicked, this, [this] { Command2_Click(); });

    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(controls);
    layout->addWidget(m_status);
    resize(900, 560);

    // Form_Load: nothing to compare until both files are chosen.
    m_options[0]->setChecked(true);
    m_compare->setEnabled(false);
    m_options[0]->setEnabled(false);
    m_options[1]->setEnabled(false);
}

QString FileIsFrm::slotFile(const char* prefix, int slot) const {
    return m_frm.workFile(std::string(prefix) + std::to_string(slot));
}

void FileIsFrm::Command1_Click(int slot) {
    if (slot != 0 && slot != 1) {
        return;
    }
    const auto path = m_frm.dialogs().openFile(this, {{}, {}, {}, kAllFilesFilter});
    if (!path) {
        return;
    }
    QApplication::processEvents();
    try {
        browse(slot, *path);
    } catch (const Failure& failure) {
        // An unreadable file ends the command without a message box; the slot
        // keeps what was set, and the status bar says why.
        m_status->showMessage(QString::fromStdString(failure.description));
    } catch (const std::exception&) {
        m_status->showMessage(QString::fromStdString(editor::comparisonErrorMessage()));
    }
}

void FileIsFrm::browse(int slot, const QString& path) {
    const auto k = static_cast<std::size_t>(slot);
    m_paths[k]->setText(path);
    m_chosen[k] = path;
    const std::string bytes = readFileBytesOrThrow(path);
    writeFileBytesOrThrow(slotFile("bak", slot), bytes);
    const std::string dump = editor::hexDump(bytes);
    writeFileBytesOrThrow(slotFile("bak1", slot), dump);
    try {
        m_panes[k]->setShiftJis(m_options[0]->isChecked() ? bytes : dump);
    } catch (...) {
        // A pane that cannot show the file must not be compared as if it did.
        m_chosen[k].clear();
        m_panes[k]->clearText();
        setComparable(false);
        throw;
    }
    m_status->showMessage(QStringLiteral("%1 : %2 バイト")
                              .arg(slot == 0 ? QStringLiteral("比較元") : QStringLiteral("比較先"))
                              .arg(bytes.size()));
    if (!m_chosen[0].isEmpty() && !m_chosen[1].isEmpty()) {
        setComparable(true);
    }
}

void FileIsFrm::setComparable(bool comparable) {
    m_options[0]->setEnabled(comparable);
    m_options[1]->setEnabled(comparable);
    m_compare->setEnabled(comparable && m_options[1]->isChecked());
}

bool FileIsFrm::showSlot(int slot) {
    const char* prefix = m_options[0]->isChecked() ? "bak" : "bak1";
    TextPane& pane = *m_panes[static_cast<std::size_t>(slot)];
    try {
        pane.setShiftJis(readFileBytesOrThrow(slotFile(prefix, slot)));
        pane.SendScintilla(TextPane::SCI_GOTOPOS, 0UL);
        return true;
    } catch (const Failure& failure) {
        m_status->showMessage(QString::fromStdString(failure.description));
    } catch (const std::exception&) {
        m_status->showMessage(QString::fromStdString(editor::comparisonErrorMessage()));
    }
    // Whatever the pane held before belongs to the other view: it must not be
    // compared.
    pane.clearText();
    return false;
}

void FileIsFrm::Option1_Click(int index) {
    if (index != 0 && index != 1) {
        return;
    }
    m_options[static_cast<std::size_t>(index)]->setChecked(true);
    const bool shown0 = showSlot(0);
    const bool shown1 = showSlot(1);
    m_compare->setEnabled(index == 1 && shown0 && shown1);
}

void FileIsFrm::Command2_Click() {
    editor::Comparison comparison;
    std::array<std::string, 2> dumps;
    try {
        for (int i = 0; i < 2; ++i) {
            const auto k = static_cast<std::size_t>(i);
            dumps[k] = text::paneSnapshot(m_panes[k]->shiftJis());
            writeFileBytesOrThrow(slotFile("bak3", i), dumps[k]);
        }
        comparison = editor::compareDumps(dumps[0], dumps[1]);
    } catch (...) {
        m_status->clearMessage();
        m_frm.dialogs().message(this, QString::fromStdString(editor::comparisonErrorMessage()), {},
                                MessageIcon::None);
        return;
    }
    if (comparison.differ) {
        const std::size_t mark = editor::charIndexOfOffset(dumps[0], comparison.markOffset);
        for (TextPane* pane : m_panes) {
            selectChars(*pane, mark, 1);
            markSelection(*pane);
        }
        m_status->showMessage(QStringLiteral("最初の相違 : %1 バイト目 (0 から数えて)")
                                  .arg(comparison.firstDifferentByte));
    } else {
        m_status->showMessage(QStringLiteral("相違なし"));
    }
    m_frm.dialogs().message(this, QString::fromStdString(editor::comparisonMessage(comparison)), {},
                            MessageIcon::None);
}

void MnuFileIs_Click(EditFrm& frm) {
    FileIsFrm dialog(frm);
    dialog.exec();
}

namespace {

const EditFrmCommandRegistration kFileIs{"MnuFileIs_Click",
                                         [](EditFrm& frm) { MnuFileIs_Click(frm); }};

}  // namespace

}  // namespace talmir
