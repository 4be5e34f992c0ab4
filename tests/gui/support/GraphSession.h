#pragma once
// The graphic frame for window tests: the editor's G-code window holding a
// program, and the graph opened from it as the user opens it.

#include <QByteArray>

namespace talmir {
class EditFrm;
class MDIMarlit;
}  // namespace talmir

namespace talmir::testing {

// Puts `program` into the G-code window of `frm`, shows the window and runs its
// "グラフィック"; the frame that opened (a test that gets none fails at once).
MDIMarlit& openGraph(EditFrm& frm, const QByteArray& program);

}  // namespace talmir::testing
