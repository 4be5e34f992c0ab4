// The exports of the G-code window that need no options: the program as IGES or
// HPGL text in the editor, which the user then saves from there.
#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "editor/TextPane.h"
#include "editor/WorkFiles.h"
#include "export/GFrm.h"
#include "export/GcodeToHpgl.h"
#include "export/GcodeToIges.h"
#include "text/Lines.h"
#include "text/ShiftJis.h"

#include <QDateTime>
#include <QFile>

namespace talmir {

namespace {

std::string toShiftJis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return text::utf8ToShiftJis(std::string_view(utf8.constData(), utf8.size()));
}

}  // namespace

void GFrm::MnuIges_Click() {
    m_guard->run({}, [this] {
        exporters::IgesOptions options;
        options.caption = toShiftJis(windowTitle());
        const QDateTime now = QDateTime::currentDateTime();
        options.date = now.toString(QStringLiteral("yyyyMMdd")).toStdString();
        options.time = now.toString(QStringLiteral("HHmmss")).toStdString();
        auto iges = exporters::gcodeToIges(text::paneSnapshot(m_pane->shiftJis()), options);
        for (std::string_view name : {editor::kBakDat, editor::kBak1Dat, editor::kBak2Dat}) {
            QFile::remove(m_owner.workFile(name));
        }
        if (!iges) {
            throw iges.failure();
        }
        m_owner.pane().setShiftJis(iges.value());
        m_owner.setDocumentName(windowTitle() + QStringLiteral(".igs"));
        m_owner.activateWindow();
        m_owner.pane().setFocus();
    });
}

void GFrm::MnuGHpgl_Click() {
    m_guard->run({}, [this] {
        auto hpgl = exporters::gcodeToHpgl(text::paneSnapshot(m_pane->shiftJis()));
        QFile::remove(m_owner.workFile(editor::kBakDat));
        if (!hpgl) {
            if (exporters::isQuietStop(hpgl.failure())) {
                return;  // Gerber data, not a program: the editor keeps its text
            }
            throw hpgl.failure();
        }
        m_owner.pane().setShiftJis(hpgl.value());
        m_owner.setDocumentName(windowTitle() + QStringLiteral(".hpl"));
    });
}

}  // namespace talmir
