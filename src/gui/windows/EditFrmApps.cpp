// The shell commands of the editor window: external applications, the browser,
// the ReadMe, the version box.
#include "core/Failure.h"
#include "core/app/ShellKeys.h"
#include "core/editor/WorkFiles.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/TextPane.h"
#include "gui/windows/AppSetFrm.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/HlpFrm.h"
#include "gui/windows/frmAbout.h"

#include <QAction>
#include <QFileInfo>
#include <QProcess>

namespace talmir {

namespace {

const QString kProgramFilter = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ(*.EXE)|*.EXE|全て(*.*)|*.*");

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString EditFrm::homePageAddress() {
    return QStringLiteral("https://talmir.example.org/");
}

bool EditFrm::startProgram(const QString& program, const QStringList& arguments) {
    // Each argument reaches the program as it is: no shell, no quoting.
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

void EditFrm::MnuApp_Click(int index) {
    const app::ExternalApp& row = m_apps.row(index);
    const QString program = fromUtf8(row.path);
    try {
        const std::string bytes = m_pane->shiftJis();
        writeSnapshotFileOrThrow(workFile(editor::kBakDat), bytes);
        // The program gets the text under the document's name in the temporary
        // folder; with no document name there is no file to hand over.
        const QString name = documentName();
        if (name.isEmpty()) {
            throw Failure{75, "パス/ファイル アクセス エラーです。"};
        }
        const QString handOver = fromUtf8(m_folders.TempDir) + QLatin1Char('/') + name;
        writeFileBytesOrThrow(handOver, text::saveWithLineEnd(bytes, text::LineEnd::CrLf));
        if (!startProgram(program, {handOver})) {
            throw Failure{53, "ファイルが見つかりません。"};
        }
    } catch (...) {
        m_dialogs.message(this, program + QStringLiteral("へ接続出来ませんでした"), {},
                          MessageIcon::None);
    }
}

void EditFrm::MnuAppSet_Click() {
    AppSetFrm dialog(m_settings, m_apps, m_dialogs, this);
    dialog.exec();
    // The menu follows the table however the dialog was closed.
    for (int k = 0; k < app::kExternalAppCount; ++k) {
        QAction* act = m_appActions[static_cast<std::size_t>(k)];
        const QString title = fromUtf8(m_apps.row(k).title);
        act->setText(title);
        act->setVisible(!title.isEmpty());
    }
}

void EditFrm::MnuWWW_Click() {
    const auto path = m_dialogs.openFile(this, FileDialogRequest{{}, {}, {}, kProgramFilter});
    if (!path) {
        return;
    }
    m_browserPath = *path;
    m_settings.setText(app::kTalmirSection, app::kWebAplKey, m_browserPath.toStdString());
    m_dialogs.message(this,
                      QStringLiteral("ブラウザを[ ") + QFileInfo(*path).fileName() +
                          QStringLiteral(" ]に設定しました。"),
                      {}, MessageIcon::None);
}

void EditFrm::MnuLinkMarlit_Click() {
    // A browser path that is not a program here (the stored default names a
    // Windows program) leaves the choice to the desktop.
    QString program = m_browserPath;
    const QFileInfo info(program);
    if (program.isEmpty() || !info.isFile() || !info.isExecutable()) {
        program = QStringLiteral("xdg-open");
    }
    if (!startProgram(program, {homePageAddress()})) {
        m_dialogs.message(this, program + QStringLiteral("へ接続出来ませんでした"), {},
                          MessageIcon::None);
    }
}

void EditFrm::MnuRead_Click() {
    HlpFrm dialog(this);
    dialog.exec();
}

void EditFrm::MnuVer_Click() {
    frmAbout dialog(this);
    dialog.exec();
}

}  // namespace talmir
