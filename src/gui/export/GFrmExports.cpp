// The exports of the program windows: the G-code as DXF, IGES, Gerber or HPGL text,
// the hole data as DXF circles, IGES circles or Gerber flashes, in the editor, which the user then
// saves from there. DXF and Gerber ask for their options first; cancelling either
// leaves the editor as it was.
#include "core/editor/WorkFiles.h"
#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToHpgl.h"
#include "core/export/GcodeToIges.h"
#include "core/export/HolesToDxf.h"
#include "core/export/HolesToGerber.h"
#include "core/export/HolesToIges.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/TextPane.h"
#include "gui/export/DxfOutFrm.h"
#include "gui/export/GB_FMT.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramWindow.h"

#include <QDateTime>
#include <QFile>
#include <QMainWindow>

namespace talmir {

namespace {

std::string toShiftJis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return text::utf8ToShiftJis(std::string_view(utf8.constData(), utf8.size()));
}

bool isHoles(const ProgramWindow& g) {
    return g.kind() == ProgramWindow::Kind::Holes;
}

// "GコードをDXFへ..." of the G-code window, "DXF形式へ変換..." of the hole-data
// window (which first shows its whole text).
void MnuNcDxf_Click(ProgramWindow& g) {
    if (isHoles(g) && !g.TextOrTree(0)) {
        return;
    }
    // The layers are read first so that the colour dialog can list them; the dialog
    // itself runs outside the guard, which would show it with the busy pointer.
    const std::string gcode = g.snapshot();
    QStringList layers;
    const bool read = g.guard().run({}, [&] {
        auto names =
            isHoles(g) ? exporters::holeDxfLayers(gcode) : exporters::gcodeDxfLayers(gcode);
        if (!names) {
            throw names.failure();
        }
        for (const std::string& name : names.value()) {
            layers << QString::fromStdString(text::shiftJisToUtf8(name));
        }
    });
    if (!read) {
        QFile::remove(g.owner().workFile(editor::kBakDat));
        return;
    }
    DxfOutFrm dialog(g.owner().settings(), layers, &g.window());
    dialog.exec();
    if (!dialog.colours()) {
        return;
    }
    // The busy indication is the G-code window's own progress bar.
    g.ownBarGuard().run({}, [&] {
        exporters::DxfOptions options;
        options.colours = *dialog.colours();
        auto dxf = isHoles(g) ? exporters::holesToDxf(gcode, options)
                              : exporters::gcodeToDxf(gcode, options);
        QFile::remove(g.owner().workFile(editor::kBakDat));
        QFile::remove(g.owner().workFile(editor::kBak1Dat));
        if (!dxf) {
            throw dxf.failure();
        }
        g.owner().pane().setShiftJis(dxf.value());
        g.owner().setDocumentName(g.caption() + QStringLiteral(".dxf"));
    });
}

// "Gコードをガーバーへ..." of the G-code window, "ガーバ形式へ変換..." of the
// hole-data window (which first shows its whole text).
void MnuNcGbr_Click(ProgramWindow& g) {
    if (isHoles(g) && !g.TextOrTree(0)) {
        return;
    }
    GB_FMT dialog(isHoles(g) ? GB_FMT::Source::Holes : GB_FMT::Source::Gcode, &g.window());
    dialog.exec();
    if (!dialog.options()) {
        return;
    }
    // The busy indication is the progress bar of the window the data comes from.
    g.ownBarGuard().run({}, [&] {
        auto gerber = isHoles(g) ? exporters::holesToGerber(g.snapshot(), *dialog.options())
                                 : exporters::gcodeToGerber(g.snapshot(), *dialog.options());
        QFile::remove(g.owner().workFile(editor::kBakDat));
        QFile::remove(g.owner().workFile(editor::kBak1Dat));
        if (!gerber) {
            throw gerber.failure();  // among others: no G00 line was there to convert
        }
        g.owner().pane().setShiftJis(gerber.value());
        g.owner().setDocumentName(g.caption() + QStringLiteral(".gbr"));
    });
}

// "GコードをIGESへ" and "IGES形式へ変換": the whole program, from the text view.
void MnuIges_Click(ProgramWindow& g) {
    if (!g.TextOrTree(0)) {
        return;
    }
    g.guard().run({}, [&g] {
        exporters::IgesOptions options;
        options.caption = toShiftJis(g.caption());
        const QDateTime now = QDateTime::currentDateTime();
        options.date = now.toString(QStringLiteral("yyyyMMdd")).toStdString();
        options.time = now.toString(QStringLiteral("HHmmss")).toStdString();
        auto iges = isHoles(g) ? exporters::holesToIges(g.snapshot(), options)
                               : exporters::gcodeToIges(g.snapshot(), options);
        for (std::string_view name : {editor::kBakDat, editor::kBak1Dat, editor::kBak2Dat}) {
            QFile::remove(g.owner().workFile(name));
        }
        if (!iges) {
            throw iges.failure();
        }
        g.owner().pane().setShiftJis(iges.value());
        g.owner().setDocumentName(g.caption() + QStringLiteral(".igs"));
        g.owner().activateWindow();
        g.owner().pane().setFocus();
    });
}

void MnuGHpgl_Click(ProgramWindow& g) {
    g.guard().run({}, [&g] {
        auto hpgl = exporters::gcodeToHpgl(g.snapshot());
        QFile::remove(g.owner().workFile(editor::kBakDat));
        if (!hpgl) {
            if (exporters::isQuietStop(hpgl.failure())) {
                return;  // Gerber data, not a program: the editor keeps its text
            }
            throw hpgl.failure();
        }
        g.owner().pane().setShiftJis(hpgl.value());
        g.owner().setDocumentName(g.caption() + QStringLiteral(".hpl"));
    });
}

const ProgramWindowCommandRegistration kNcDxf{ProgramWindow::Kind::Gcode, "MnuNcDxf_Click",
                                              MnuNcDxf_Click};
const ProgramWindowCommandRegistration kNcGbr{ProgramWindow::Kind::Gcode, "MnuNcGbr_Click",
                                              MnuNcGbr_Click};
const ProgramWindowCommandRegistration kIges{ProgramWindow::Kind::Gcode, "MnuIges_Click",
                                             MnuIges_Click};
const ProgramWindowCommandRegistration kHolDxf{ProgramWindow::Kind::Holes, "MnuHolDxf_Click",
                                               MnuNcDxf_Click};
const ProgramWindowCommandRegistration kGhenkan{ProgramWindow::Kind::Holes, "MnuGhenkan_Click",
                                                MnuNcGbr_Click};
const ProgramWindowCommandRegistration kHolIges{ProgramWindow::Kind::Holes, "MnuIges_Click",
                                                MnuIges_Click};
const ProgramWindowCommandRegistration kGHpgl{ProgramWindow::Kind::Gcode, "MnuGHpgl_Click",
                                              MnuGHpgl_Click};

}  // namespace

}  // namespace talmir
