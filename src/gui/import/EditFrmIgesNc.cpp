#include "gui/import/EditFrmIgesNc.h"

#include "core/editor/WorkFiles.h"
#include "core/import/IgesToGcode.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/FileIo.h"
#include "gui/base/TextPane.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"
#include "gui/windows/ProgramWindow.h"

namespace talmir {

namespace {

const EditFrmCommandRegistration kIgesNc{"MnuIges_Click", [](EditFrm& frm) { MnuIges_Click(frm); }};

}  // namespace

void MnuIges_Click(EditFrm& frm) {
    ProgramWindow& gfrm = programWindow(frm, ProgramWindow::Kind::Gcode);
    bool loaded = false;
    frm.guard().run({}, [&] {
        std::string program;
        {
            const std::string iges = text::paneSnapshot(frm.pane().shiftJis());
            std::string records;
            importers::IgesImportOptions options;
            options.progress = [&frm] { frm.guard().flicker(); };
            options.records = &records;
            auto result = importers::igesToGcode(iges, options);
            writeFileBytesOrThrow(frm.workFile(editor::kBak1Dat), records);
            if (!result) {
                // "BAK.DAT" keeps the editor's text it was read from; the failure
                // to report is the conversion's, whatever this write gives.
                (void)writeFileBytes(frm.workFile(editor::kBakDat), iges);
                throw result.failure();
            }
            program = std::move(result).value();
        }
        writeFileBytesOrThrow(frm.workFile(editor::kBakDat), program);
        // A window that cannot show its text view reports why and keeps its text.
        loaded = loadProgram(gfrm, program, programCaption(frm.documentName()));
    });
    if (!loaded) {
        return;
    }
    gfrm.window().show();
    gfrm.window().raise();
    // A tree that cannot be built is reported by the window, which then keeps
    // the program in its text view.
    gfrm.TextOrTree(1);
}

}  // namespace talmir
