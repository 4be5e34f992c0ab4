#pragma once
// "IGESをGコードへ" of the editor window: the editor's text read as an IGES file,
// its arcs, lines and points written as G-code into the G-code window.

namespace talmir {

class EditFrm;

// Converts the editor's text and shows the result in the editor's G-code window,
// split into its tree view (caption = the document name cut before its first
// "."). The work files stay: "BAK.DAT" holds the program and "BAK1.DAT" the
// parameter records that were read. A file that cannot be converted is reported;
// the G-code window and the editor keep what they had, and "BAK.DAT" holds the
// editor's text.
void MnuIges_Click(EditFrm& frm);

}  // namespace talmir
