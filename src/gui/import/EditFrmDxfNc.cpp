#include "gui/import/EditFrmDxfNc.h"

#include "core/editor/WorkFiles.h"
#include "core/import/DxfToGcode.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/TextPane.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"
#include "gui/windows/ProgramWindow.h"

#include <QFile>

namespace talmir {

namespace {

const EditFrmCommandRegistration kDxfNc{"MnuDxfNc_Click",
                                        [](EditFrm& frm) { MnuDxfNc_Click(frm); }};

}  // namespace

void MnuDxfNc_Click(EditFrm& frm) {
    ProgramWindow& gfrm = programWindow(frm, ProgramWindow::Kind::Gcode);
    frm.guard().run({}, [&] {
        // The editor's text as "BAK1.DAT" holds it; the program goes where
        // "BAK.DAT" would take it. Both exist only while the command runs.
        std::string program;
        {
            const std::string dxf = text::paneSnapshot(frm.pane().shiftJis());
            importers::DxfOptions options;
            options.progress = [&frm] { frm.guard().flicker(); };
            auto result = importers::dxfToGcode(dxf, options);
            QFile::remove(frm.workFile(editor::kBakDat));
            QFile::remove(frm.workFile(editor::kBak1Dat));
            if (!result) {
                throw result.failure();
            }
            program = std::move(result).value();
        }
        // A window that cannot show its text view reports why and keeps its text.
        loadProgram(gfrm, program, programCaption(frm.documentName()));
    });
    gfrm.window().show();
    gfrm.window().raise();
}

}  // namespace talmir
