#pragma once
// "DXFをGコードへ" of the editor window: the editor's text read as a DXF drawing,
// its geometry written as G-code into the G-code window.

namespace talmir {

class EditFrm;

// Converts the editor's text and shows the result in the editor's G-code window
// (text view, caption = the document name cut before its first "."). A drawing
// that cannot be converted is reported; the G-code window is shown without any of
// its output.
void MnuDxfNc_Click(EditFrm& frm);

}  // namespace talmir
