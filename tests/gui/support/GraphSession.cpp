#include "GraphSession.h"

#include "gui/base/TextPane.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

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
