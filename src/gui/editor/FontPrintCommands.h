#pragma once
// The font and printing commands of the editor window.

namespace talmir {

class EditFrm;

// "フォント...": the font dialog, preset with the stored font (bold unless stored
// otherwise); the choice goes to the pane and into section "Font". A cancelled
// dialog changes nothing.
void MnuFont_Click(EditFrm& frm);

// "プリンターの設定...": the printer set-up of the program's printer.
void MnuPrintSet_Click(EditFrm& frm);

// "印刷...": the whole text as a listing in the stored font.
void MnuPrint_Click(EditFrm& frm);

}  // namespace talmir
