#pragma once
// The wire-cut commands of the editor window: "ワイヤーカットデータ" translates
// the program into G-code for the G-code window, "ワイヤーFUNAC" expands its
// subprograms, variables and jumps and plots the moves.

namespace talmir {

class EditFrm;

// The editor's wire program as G-code, shown in the G-code window titled with the
// document name up to its first "."; a failure is reported in a box titled
// "Orvanta_" + the failing step and leaves every window as it was.
void MnuWirFmt_Click(EditFrm& frm);

// The editor's wire program expanded (subprograms from the folder "SUB" of
// AppDir) and plotted in the graphic frame. The plot belongs to no program
// window. A missing subprogram, a bad program or nothing to draw
// ("Ｇコードが確認出来ませんでした") is reported, and no plot opens.
void MnuFUNACfmt_Click(EditFrm& frm);

}  // namespace talmir
