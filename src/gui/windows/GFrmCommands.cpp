// The commands of the G-code window: saving, sorting, the search box and the
// hand-over of the text to external programs.
#include "core/Failure.h"
#include "core/app/ExternalApps.h"
#include "core/editor/WorkFiles.h"
#include "core/export/GcodeSort.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/PaneSearch.h"
#include "gui/base/TextPane.h"
#include "gui/base/TextPrinter.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace talmir {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text with a line holding "SECTION", one holding "LAYER" and one holding
// "ENDSEC" is taken for a DXF drawing.
bool looksLikeDxf(std::string_view text) {
    bool section = false;
    bool layer = false;
    bool endsec = false;
    text::LineReader reader(text);
    for (std::string_view line; reader.next(line);) {
        section = section || line.find("SECTION") != std::string_view::npos;
        layer = layer || line.find("LAYER") != std::string_view::npos;
        endsec = endsec || line.find("ENDSEC") != std::string_view::npos;
        if (section && layer && endsec) {
            return true;
        }
    }
    return false;
}

// The folder an external program gets its hand-over file in: its own folder. A
// program found on the search path, or one whose folder cannot be written (a
// system folder), gets it in the temporary folder instead.
QString handOverFolder(const QString& program, const QString& tempDir) {
    QString path = program;
    if (!program.contains(QLatin1Char('/'))) {
        path = QStandardPaths::findExecutable(program);
    }
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (path.isEmpty() || !folder.isDir() || !folder.isWritable()) {
        return tempDir;
    }
    return folder.absoluteFilePath();
}

}  // namespace

void GFrm::MnuTreesave_Click() {
    saveTo(false, currentNodeName());
}

void GFrm::MnuGcodeSeiri_Click() {
    guard().run({}, [this] {
        const std::string snapshot = text::paneSnapshot(pane().shiftJis());
        writeFileBytesOrThrow(owner().workFile(editor::kBakDat), snapshot);
        auto sorted = exporters::sortGcode(snapshot);
        if (!sorted) {
            throw sorted.failure();
        }
        writeFileBytesOrThrow(owner().workFile(editor::kBakDat), sorted.value());
        pane().setShiftJis(sorted.value());
    });
}

void GFrm::MnuVultane_Click() {
    const QString appDir = fromUtf8(owner().folders().AppDir);
    try {
        const std::string bytes = pane().shiftJis();
        writeFileBytesOrThrow(owner().workFile(editor::kBak1Dat), text::paneSnapshot(bytes));
        const QString handOver = owner().workFile(editor::kBakDat);
        writeFileBytesOrThrow(handOver, text::saveWithLineEnd(bytes, text::LineEnd::CrLf));
        if (!QProcess::startDetached(appDir + QStringLiteral("vultane.exe"), {handOver})) {
            throw Failure{53, "ファイルが見つかりません。"};
        }
    } catch (...) {
        owner().dialogs().message(this,
                                  appDir + QStringLiteral("vultane.exe へ接続出来ませんでした"), {},
                                  MessageIcon::None);
    }
}

void GFrm::MnuApp_Click(int index) {
    app::ExternalApps apps;
    apps.loadAll(owner().settings());
    const QString program = fromUtf8(apps.row(index).path);
    try {
        if (program.isEmpty()) {
            throw Failure{53, "ファイルが見つかりません。"};
        }
        const std::string bytes = pane().shiftJis();
        writeFileBytesOrThrow(owner().workFile(editor::kBakDat), text::paneSnapshot(bytes));
        const QString name = QString::fromLatin1(looksLikeDxf(bytes) ? editor::kBakDxf.data()
                                                                     : editor::kBakDat.data());
        const QString handOver =
            QDir(handOverFolder(program, fromUtf8(owner().folders().TempDir))).filePath(name);
        writeFileBytesOrThrow(handOver, text::saveWithLineEnd(bytes, text::LineEnd::CrLf));
        if (!QProcess::startDetached(program, {handOver})) {
            throw Failure{53, "ファイルが見つかりません。"};
        }
    } catch (...) {
        owner().dialogs().message(this, program + QStringLiteral("へ接続出来ませんでした"), {},
                                  MessageIcon::None);
    }
}

// The browser, the settings of the external programs and the help are the
// editor's own: one browser choice and one table for the whole program.
void GFrm::MnuAppSet_Click() {
    owner().MnuAppSet_Click();
    refreshAppMenu();
}

void GFrm::MnuWWW_Click() {
    owner().MnuWWW_Click();
}

void GFrm::MnuLinkMarlit_Click() {
    owner().MnuLinkMarlit_Click();
}

void GFrm::MnuRead_Click() {
    owner().MnuRead_Click();
}

void GFrm::MnuVer_Click() {
    owner().MnuVer_Click();
}

}  // namespace talmir
