#pragma once
// "ガーバーデータ..." of the editor window (also its tool button "GBR"): the
// editor's text read as Gerber photoplot data, written as G-code into the G-code
// window with the options of the dialog GAI_FMT.

namespace talmir {

class EditFrm;

// Asks for the options; "ｷｬﾝｾﾙ" changes nothing. "実行" converts the editor's text
// and shows the result in the G-code window (text view, caption = the document
// name cut before its first "."). Data that cannot be converted is reported and
// leaves the G-code window as it was. The editor keeps its text either way.
void MnuGbrFmt_Click(EditFrm& frm);

}  // namespace talmir
