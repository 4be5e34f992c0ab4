#pragma once
// Where the import conversions of the editor put their result: the editor's
// G-code window, in its text view.

#include <QString>

#include <string>

namespace talmir {

class EditFrm;
class GFrm;

// The caption of a program made from the editor's document: the document name up
// to its first ".", the whole name when it has none.
QString programCaption(const QString& documentName);

// Puts `program` into `gfrm`'s text view and titles the window `caption`. False
// when the window could not switch to its text view (it reported why and keeps
// its text).
bool loadProgram(EditFrm& frm, GFrm& gfrm, const std::string& program, const QString& caption);

}  // namespace talmir
