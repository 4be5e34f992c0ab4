#pragma once
// "ルーターデータ..." of the editor window: the editor's text read as a router
// (PCB milling) program, written as G-code into the G-code window with the
// options of the dialog Ruta_FMT.

namespace talmir {

class EditFrm;

// Asks for the options; "ｷｬﾝｾﾙ" changes nothing. "実行" converts the editor's text
// and shows the result in the G-code window (text view, caption = the whole
// document name). Data that cannot be converted is reported and leaves the
// G-code window as it was. The editor keeps its text either way.
void MnuLuter_Click(EditFrm& frm);

}  // namespace talmir
