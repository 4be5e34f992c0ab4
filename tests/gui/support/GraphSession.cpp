#include "GraphSession.h"

#include "app/EditFrm.h"
#include "editor/TextPane.h"
#include "export/GFrm.h"
#include "graphic/MDIMarlit.h"

#include <QtGlobal>

namespace talmir::testing {

MDIMarlit& openGraph(EditFrm& frm, const QByteArray& program) {
    GFrm& gcode = GFrm::of(frm);
    gcode.pane().setShiftJis(std::string_view(program.constData(), program.size()));
    gcode.show();
    gcode.MnuGrph_Click();
    MDIMarlit* frame = MDIMarlit::find(frm);
    if (frame == nullptr) {
        qFatal("the graph did not open");
    }
    return *frame;
}

}  // namespace talmir::testing
