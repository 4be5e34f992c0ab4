// The exports of the G-code window: the program as DXF, IGES, Gerber or HPGL text in
// the editor, which the user then saves from there. DXF and Gerber ask for their
// options first; cancelling either leaves the editor as it was.
#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "editor/TextPane.h"
#include "editor/WorkFiles.h"
#include "export/DxfOutFrm.h"
#include "export/GB_FMT.h"
#include "export/GFrm.h"
#include "export/GcodeToDxf.h"
#include "export/GcodeToGerber.h"
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

void GFrm::MnuNcDxf_Click() {
    // The layers are read first so that the colour dialog can list them; the dialog
    // itself runs outside the guard, which would show it with the busy pointer.
    const std::string gcode = text::paneSnapshot(m_pane->shiftJis());
    QStringList layers;
    const bool read = m_guard->run({}, [&] {
        auto names = exporters::gcodeDxfLayers(gcode);
        if (!names) {
            throw names.failure();
        }
        for (const std::string& name : names.value()) {
            layers << QString::fromStdString(text::shiftJisToUtf8(name));
        }
    });
    if (!read) {
        QFile::remove(m_owner.workFile(editor::kBakDat));
        return;
    }
    DxfOutFrm dialog(m_owner.settings(), layers, this);
    dialog.exec();
    if (!dialog.colours()) {
        return;
    }
    m_guard->run({}, [&] {
        exporters::DxfOptions options;
        options.colours = *dialog.colours();
        auto dxf = exporters::gcodeToDxf(gcode, options);
        QFile::remove(m_owner.workFile(editor::kBakDat));
        QFile::remove(m_owner.workFile(editor::kBak1Dat));
        if (!dxf) {
            throw dxf.failure();
        }
        m_owner.pane().setShiftJis(dxf.value());
        m_owner.setDocumentName(windowTitle() + QStringLiteral(".dxf"));
    });
}

void GFrm::MnuNcGbr_Click() {
    GB_FMT dialog(this);
    dialog.exec();
    if (!dialog.options()) {
        return;
    }
    m_guard->run({}, [&] {
        auto gerber =
            exporters::gcodeToGerber(text::paneSnapshot(m_pane->shiftJis()), *dialog.options());
        QFile::remove(m_owner.workFile(editor::kBakDat));
        QFile::remove(m_owner.workFile(editor::kBak1Dat));
        if (!gerber) {
            throw gerber.failure();  // among others: no G00 line was there to convert
        }
        m_owner.pane().setShiftJis(gerber.value());
        m_owner.setDocumentName(windowTitle() + QStringLiteral(".gbr"));
    });
}

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
