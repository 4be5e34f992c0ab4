#include "import/EditFrmDxfNc.h"

#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "app/EditFrmCommands.h"
#include "editor/TextPane.h"
#include "editor/WorkFiles.h"
#include "export/GFrm.h"
#include "import/DxfToGcode.h"
#include "import/ProgramWindow.h"
#include "text/Lines.h"

#include <QFile>

namespace talmir {

namespace {

const EditFrmCommandRegistration kDxfNc{"MnuDxfNc_Click",
                                        [](EditFrm& frm) { MnuDxfNc_Click(frm); }};

}  // namespace

void MnuDxfNc_Click(EditFrm& frm) {
    GFrm& gfrm = GFrm::of(frm);
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
        loadProgram(frm, gfrm, program, programCaption(frm.documentName()));
    });
    gfrm.show();
    gfrm.raise();
}

}  // namespace talmir
