#include "import/EditFrmLuter.h"

#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "app/EditFrmCommands.h"
#include "editor/TextPane.h"
#include "editor/WorkFiles.h"
#include "export/GFrm.h"
#include "import/ProgramWindow.h"
#include "import/RouterToGcode.h"
#include "import/Ruta_FMT.h"
#include "text/Lines.h"

#include <QFile>

namespace talmir {

namespace {

const EditFrmCommandRegistration kLuter{"MnuLuter_Click",
                                        [](EditFrm& frm) { MnuLuter_Click(frm); }};

}  // namespace

void MnuLuter_Click(EditFrm& frm) {
    Ruta_FMT dialog(&frm);
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
            const std::string router = text::paneSnapshot(frm.pane().shiftJis());
            importers::RouterImportOptions options = *dialog.options();
            options.progress = [&frm] { frm.guard().flicker(); };
            auto result = importers::routerToGcode(router, options);
            QFile::remove(frm.workFile(editor::kBakDat));
            QFile::remove(frm.workFile(editor::kBak1Dat));
            if (!result) {
                throw result.failure();
            }
            program = std::move(result).value();
        }
        // The router program keeps the whole document name as its caption.
        converted = loadProgram(frm, gfrm, program, frm.documentName());
    });
    if (converted) {
        gfrm.show();
        gfrm.raise();
    }
}

}  // namespace talmir
