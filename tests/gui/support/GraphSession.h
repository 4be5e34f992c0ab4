#pragma once
// The graphic frame for window tests: a program window of the editor (the G-code
// window unless said otherwise) holding a program, and the graph opened from it
// as the user opens it.

#include "gui/windows/ProgramWindow.h"

#include <QByteArray>

namespace talmir {
class EditFrm;
class MDIMarlit;
}  // namespace talmir

namespace talmir::testing {

// Puts `program` into the program window of `frm` of that kind, shows the window
// and runs its "グラフィック"; the frame that opened (a test that gets none fails
// at once).
MDIMarlit& openGraph(EditFrm& frm, const QByteArray& program,
                     ProgramWindow::Kind kind = ProgramWindow::Kind::Gcode);

}  // namespace talmir::testing
