#include "import/EditFrmIgesNc.h"

#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "app/EditFrmCommands.h"
#include "app/FileIo.h"
#include "editor/TextPane.h"
#include "editor/WorkFiles.h"
#include "export/GFrm.h"
#include "import/IgesToGcode.h"
#include "text/Lines.h"

namespace talmir {

namespace {

const EditFrmCommandRegistration kIgesNc{"MnuIges_Click", [](EditFrm& frm) { MnuIges_Click(frm); }};

// The caption of the G-code window: the document name up to its first ".", the
// whole name when it has none.
QString programCaption(const QString& documentName) {
    const qsizetype dot = documentName.indexOf(QLatin1Char('.'));
    return dot < 0 ? documentName : documentName.left(dot);
}

}  // namespace

void MnuIges_Click(EditFrm& frm) {
    GFrm& gfrm = GFrm::of(frm);
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
        if (!gfrm.TextOrTree(0)) {
            return;  // reported by the window; its text stays as it was
        }
        gfrm.pane().setShiftJis(program);
        gfrm.setWindowTitle(programCaption(frm.documentName()));
        frm.guard().processEvents();
        loaded = true;
    });
    if (!loaded) {
        return;
    }
    gfrm.show();
    gfrm.raise();
    // A tree that cannot be built is reported by the window, which then keeps
    // the program in its text view.
    gfrm.TextOrTree(1);
}

}  // namespace talmir
