#include "import/EditFrmGbrFmt.h"

#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "app/EditFrmCommands.h"
#include "editor/TextPane.h"
#include "editor/WorkFiles.h"
#include "export/GFrm.h"
#include "import/GAI_FMT.h"
#include "import/GerberToGcode.h"
#include "import/ProgramWindow.h"
#include "text/Lines.h"

#include <QFile>

namespace talmir {

namespace {

const EditFrmCommandRegistration kGbrFmt{"MnuGbrFmt_Click",
                                         [](EditFrm& frm) { MnuGbrFmt_Click(frm); }};

}  // namespace

void MnuGbrFmt_Click(EditFrm& frm) {
    GAI_FMT dialog(&frm);
    dialog.exec();
    if (!dialog.options()) {
        return;
    }
    GFrm& gfrm = GFrm::of(frm);
    bool converted = false;
    frm.guard().run({}, [&] {
        // The editor's text as "BAK.DAT" holds it; the program goes where
        // "BAK.DAT" would take it. The work files exist only while this runs.
        std::string program;
        {
            const std::string gerber = text::paneSnapshot(frm.pane().shiftJis());
            importers::GerberImportOptions options = *dialog.options();
            options.progress = [&frm] { frm.guard().flicker(); };
            auto result = importers::gerberToGcode(gerber, options);
            QFile::remove(frm.workFile(editor::kBakDat));
            QFile::remove(frm.workFile(editor::kBak1Dat));
            if (!result) {
                throw result.failure();
            }
            program = std::move(result).value();
        }
        // A window that cannot show its text view reports why and keeps its text.
        converted = loadProgram(frm, gfrm, program, programCaption(frm.documentName()));
    });
    if (converted) {
        gfrm.show();
        gfrm.raise();
    }
}

}  // namespace talmir
