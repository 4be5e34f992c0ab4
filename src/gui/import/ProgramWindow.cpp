#include "import/ProgramWindow.h"

#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "editor/TextPane.h"
#include "export/GFrm.h"

namespace talmir {

QString programCaption(const QString& documentName) {
    const qsizetype dot = documentName.indexOf(QLatin1Char('.'));
    return dot < 0 ? documentName : documentName.left(dot);
}

bool loadProgram(EditFrm& frm, GFrm& gfrm, const std::string& program, const QString& caption) {
    if (!gfrm.TextOrTree(0)) {
        return false;
    }
    gfrm.pane().setShiftJis(program);
    gfrm.setWindowTitle(caption);
    frm.guard().processEvents();
    return true;
}

}  // namespace talmir
