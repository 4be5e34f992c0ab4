// "グラフィック表示" of the editor window (and its "GRPH" tool button): the editor's
// own program in the G-code window's text view, titled as the imports title it,
// then plotted in the graphic frame.
#include "gui/base/CommandGuard.h"
#include "gui/base/TextPane.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

namespace talmir {
namespace {

void MnuEditGrph_Click(EditFrm& frm) {
    ProgramWindow* gfrm = nullptr;
    bool loaded = false;
    frm.guard().run({}, [&] {
        gfrm = &programWindow(frm, ProgramWindow::Kind::Gcode);
        loaded = loadProgram(*gfrm, frm.pane().shiftJis(), programCaption(frm.documentName()));
    });
    if (!loaded) {
        return;
    }
    gfrm->window().show();
    gfrm->runCommand("MnuGrph_Click");
}

const EditFrmCommandRegistration kEditGrph{"MnuEditGrph_Click", MnuEditGrph_Click};

}  // namespace
}  // namespace talmir
