#include "GraphSession.h"

#include "gui/base/TextPane.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/EditFrm.h"

#include <QtGlobal>

namespace talmir::testing {

MDIMarlit& openGraph(EditFrm& frm, const QByteArray& program, ProgramWindow::Kind kind) {
    ProgramWindow& window = programWindow(frm, kind);
    window.pane().setShiftJis(std::string_view(program.constData(), program.size()));
    window.window().show();
    window.runCommand("MnuGrph_Click");
    MDIMarlit* frame = MDIMarlit::find(frm);
    if (frame == nullptr) {
        qFatal("the graph did not open");
    }
    return *frame;
}

}  // namespace talmir::testing
