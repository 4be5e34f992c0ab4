#pragma once
// "ワイヤーをミーリングへ" of the editor window: the wire-cut program in the editor
// rewritten as a machining-centre program that mills the same contour.

namespace talmir {

class EditFrm;

// Replaces the editor's text by the milling program (the undo history starts
// afresh, as after any whole-document replacement). A text the pane cannot show
// is reported, and the editor keeps its text.
void MnuWcMc_Click(EditFrm& frm);

}  // namespace talmir
