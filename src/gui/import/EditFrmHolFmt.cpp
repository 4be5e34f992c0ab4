// "穴データ..." of the editor window (and its "NC" tool button): the editor's drill
// data as hole data in the hole-data window, with the options of NC_FMT, which
// opens with what the text itself says about its format.
#include "core/import/DrillGuess.h"
#include "core/import/DrillToHoles.h"
#include "core/text/Lines.h"
#include "gui/base/TextPane.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/import/NC_FMT.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

namespace talmir {

namespace {

void MnuHolFmt_Click(EditFrm& frm) {
    NC_FMT dialog(&frm);
    {
        const std::string text = text::paneSnapshot(frm.pane().shiftJis());
        dialog.applyGuess(importers::guessDrillFormat(text));
    }
    dialog.exec();
    if (!dialog.options()) {
        return;
    }
    const importers::DrillOptions options = *dialog.options();
    convertIntoWindow(
        frm, ProgramWindow::Kind::Holes, programCaption(frm.documentName()),
        [&options](std::string_view input, const std::function<void()>&) {
            return importers::drillToHoles(input, options);
        },
        productTitle);
}

const EditFrmCommandRegistration kHolFmt{"MnuHolFmt_Click", MnuHolFmt_Click};

}  // namespace

}  // namespace talmir
