#pragma once
// Where the import conversions of the editor put their result: the editor's
// G-code window or hole-data window, in its text view.

#include "core/Failure.h"
#include "gui/windows/ProgramWindow.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>

namespace talmir {

class EditFrm;

// The caption of a program made from the editor's document: the document name up
// to its first ".", the whole name when it has none.
QString programCaption(const QString& documentName);

// Puts `program` into `window`'s text view and titles the window `caption`. False
// when the window could not switch to its text view (it reported why and keeps
// its text).
bool loadProgram(ProgramWindow& window, const std::string& program, const QString& caption);

// A conversion of the editor's text: `progress` is to be called now and then.
using EditorConversion = std::function<Result<std::string>(std::string_view editorText,
                                                           const std::function<void()>& progress)>;

// Runs `convert` on the editor's text as it would be saved, under the editor's
// guard, and loads the result into the program window of `kind` titled `caption`,
// which is then shown. The work files "BAK.DAT" and "BAK1.DAT" are not left behind. A
// failure is reported; the editor keeps its text and the program window is
// neither created, changed nor shown. True when the program was loaded.
// `failureTitle`, when given, titles the warning box of a failed conversion (it is
// asked after the conversion, so it can name the step that failed); without it
// the box has the program's title.
bool convertIntoWindow(EditFrm& frm, ProgramWindow::Kind kind, const QString& caption,
                       const EditorConversion& convert,
                       const std::function<QString()>& failureTitle = {});
inline bool convertIntoGcodeWindow(EditFrm& frm, const QString& caption,
                                   const EditorConversion& convert,
                                   const std::function<QString()>& failureTitle = {}) {
    return convertIntoWindow(frm, ProgramWindow::Kind::Gcode, caption, convert, failureTitle);
}

// The warning box title of the imports that report under the product's name.
inline QString productTitle() {
    return QStringLiteral("Orvanta");
}

}  // namespace talmir
