#include "import/EditFrmHpgl.h"

#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "app/EditFrmCommands.h"
#include "editor/TextPane.h"
#include "editor/WorkFiles.h"
#include "export/GFrm.h"
#include "import/HpglToGcode.h"
#include "import/ProgramWindow.h"
#include "text/Lines.h"

#include <QFile>

namespace talmir {

namespace {

const EditFrmCommandRegistration kHpgl{"MnuHpgl_Click", [](EditFrm& frm) { MnuHpgl_Click(frm); }};

}  // namespace

void MnuHpgl_Click(EditFrm& frm) {
    frm.guard().run({}, [&] {
        // The editor's text as "BAK.DAT" holds it; the passes that would go
        // through "BAK1.DAT" and "BAK.DAT" run in memory, and neither file is
        // left behind.
        std::string program;
        {
            const std::string hpgl = text::paneSnapshot(frm.pane().shiftJis());
            importers::HpglOptions options;
            options.progress = [&frm] { frm.guard().flicker(); };
            auto result = importers::hpglToGcode(hpgl, options);
            QFile::remove(frm.workFile(editor::kBakDat));
            QFile::remove(frm.workFile(editor::kBak1Dat));
            if (!result) {
                // Reported by the guard; the G-code window is not touched.
                throw result.failure();
            }
            program = std::move(result).value();
        }
        GFrm& gfrm = GFrm::of(frm);
        // A window that cannot show its text view reports why and keeps its text.
        if (loadProgram(frm, gfrm, program, frm.documentName())) {
            gfrm.show();
            gfrm.raise();
        }
    });
}

}  // namespace talmir
