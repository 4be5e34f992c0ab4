// The file commands of the editor window: load, append, the three saves, clear,
// the recent documents, the command-line document and dropped files.
#include "core/Failure.h"
#include "core/editor/WorkFiles.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QFile>
#include <QLabel>

namespace talmir {

namespace {

const QString kAllFilesFilter = QStringLiteral("全てのﾌｧｲﾙ(*.*)|*.*");

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void EditFrm::loadDocumentFile(const QString& path) {
    // The file's bytes go before the pane takes its copy: a large program is then
    // held twice at most, not three times.
    std::string utf8;
    {
        const std::string bytes = readFileBytesOrThrow(path);
        utf8 = text::shiftJisToUtf8(bytes);
    }
    m_pane->setUtf8Text(utf8);
}

void EditFrm::saveDocumentFile(const QString& path, text::LineEnd lineEnd) {
    const std::string bytes = m_pane->shiftJis();
    writeFileBytesOrThrow(path, text::saveWithLineEnd(bytes, lineEnd));
}

void EditFrm::LoadFilSub(const QString& path) {
    setDocumentName(fromUtf8(app::fileNameOf(path.toStdString())));
    m_recent.record(m_settings, path.toStdString());
    refreshRecentMenu();
}

void EditFrm::MnuLoad_Click() {
    const auto path = m_dialogs.openFile(this, FileDialogRequest{{}, {}, {}, kAllFilesFilter});
    if (!path) {
        return;
    }
    m_guard->run({}, [&] {
        m_guard->processEvents();
        loadDocumentFile(*path);
        LoadFilSub(*path);
    });
}

void EditFrm::MnuTuikaLoad_Click() {
    const auto path = m_dialogs.openFile(this, FileDialogRequest{{}, {}, {}, kAllFilesFilter});
    if (!path) {
        return;
    }
    m_guard->run({}, [&] {
        m_guard->processEvents();
        // The file follows the last character of the text directly: its first line
        // continues the current last line. The joined text is built whole before
        // the pane changes.
        std::string joined = text::paneSnapshot(m_pane->shiftJis());
        joined += readFileBytesOrThrow(*path);
        m_guard->flicker();
        m_pane->setShiftJis(joined);
        LoadFilSub(*path);
    });
}

void EditFrm::saveCommand(text::LineEnd lineEnd, bool keepBakDat, bool hourglass) {
    const auto path =
        m_dialogs.saveFile(this, FileDialogRequest{{}, {}, documentName(), kAllFilesFilter});
    if (!path) {
        return;
    }
    m_guard->run(
        {},
        [&] {
            const std::string bytes = m_pane->shiftJis();
            if (keepBakDat) {
                // The snapshot the save read from stays until shut-down.
                writeSnapshotFileOrThrow(workFile(editor::kBakDat), bytes);
            }
            m_guard->processEvents();
            writeFileBytesOrThrow(*path, text::saveWithLineEnd(bytes, lineEnd));
        },
        hourglass);
}

void EditFrm::MnuSave_Click() {
    saveCommand(text::LineEnd::CrLf, true, true);
}

void EditFrm::MnuCRsave_Click() {
    saveCommand(text::LineEnd::Cr, false, false);
}

void EditFrm::MnuLFsave_Click() {
    saveCommand(text::LineEnd::Lf, false, false);
}

void EditFrm::MnuCrear_Click() {
    if (!m_dialogs.askYesNo(this, QStringLiteral("データを消去してよいですか"), {})) {
        return;
    }
    m_pane->clearText();
    m_panel1->clear();
    m_panel2->clear();
}

void EditFrm::MnuLoadFile_Click(int index) {
    if (index < 0 || index >= app::kRecentCount) {
        return;
    }
    const QString path = fromUtf8(m_recent.slot(index));
    try {
        loadDocumentFile(path);
    } catch (const Failure&) {
        m_dialogs.message(this, QStringLiteral("読み込み出来ませんでした。"), {},
                          MessageIcon::None);
        return;
    } catch (const std::exception&) {
        m_dialogs.message(this, QStringLiteral("読み込み出来ませんでした。"), {},
                          MessageIcon::None);
        return;
    }
    LoadFilSub(path);
}

void EditFrm::loadDroppedFiles(const QStringList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    const QString path = paths.front();
    m_guard->run({}, [&] {
        loadDocumentFile(path);
        LoadFilSub(path);
    });
}

}  // namespace talmir
