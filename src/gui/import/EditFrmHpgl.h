#pragma once
// "HPGLをGコードへ" of the editor window: the editor's text read as an HP-GL plot
// file, its pen moves, arcs and circles written as G-code into the G-code window.

namespace talmir {

class EditFrm;

// Converts the editor's text and shows the result in the editor's G-code window
// (text view, caption = the whole document name). A plot file that cannot be
// converted is reported and the G-code window is left as it was, not shown; the
// editor keeps its text either way.
void MnuHpgl_Click(EditFrm& frm);

}  // namespace talmir
