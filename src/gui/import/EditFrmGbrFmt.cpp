#include "gui/import/EditFrmGbrFmt.h"

#include "core/import/DrillGuess.h"
#include "core/import/GerberToGcode.h"
#include "core/text/Lines.h"
#include "gui/base/TextPane.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/import/GAI_FMT.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

namespace talmir {

namespace {

const EditFrmCommandRegistration kGbrFmt{"MnuGbrFmt_Click",
                                         [](EditFrm& frm) { MnuGbrFmt_Click(frm); }};

}  // namespace

void MnuGbrFmt_Click(EditFrm& frm) {
    GAI_FMT dialog(&frm);
    dialog.applyGuess(importers::guessGerberFormat(text::paneSnapshot(frm.pane().shiftJis())));
    dialog.exec();
    if (!dialog.options()) {
        return;
    }
    const importers::GerberImportOptions chosen = *dialog.options();
    convertIntoGcodeWindow(
        frm, programCaption(frm.documentName()),
        [&chosen](std::string_view input, const std::function<void()>& progress) {
            importers::GerberImportOptions options = chosen;
            options.progress = progress;
            return importers::gerberToGcode(input, options);
        },
        productTitle);
}

}  // namespace talmir
