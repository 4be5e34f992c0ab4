#include "gui/import/EditFrmWcMc.h"

#include "core/editor/WorkFiles.h"
#include "core/import/WireToMilling.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QFile>

namespace talmir {

namespace {

const EditFrmCommandRegistration kWcMc{"MnuWcMc_Click", [](EditFrm& frm) { MnuWcMc_Click(frm); }};

}  // namespace

void MnuWcMc_Click(EditFrm& frm) {
    frm.guard().run({}, [&] {
        // The wire program as "BAK.DAT" holds it, the result as "BAK1.DAT" would;
        // neither outlives the command.
        const std::string program =
            importers::wireToMilling(text::paneSnapshot(frm.pane().shiftJis()));
        QFile::remove(frm.workFile(editor::kBakDat));
        QFile::remove(frm.workFile(editor::kBak1Dat));
        // The pane decodes the whole text before it lets go of the old one.
        frm.pane().setShiftJis(program);
    });
}

}  // namespace talmir
