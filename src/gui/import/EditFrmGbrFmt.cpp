#include "import/EditFrmGbrFmt.h"

#include "app/EditFrm.h"
#include "app/EditFrmCommands.h"
#include "import/GAI_FMT.h"
#include "import/GerberToGcode.h"
#include "import/ProgramWindow.h"

namespace talmir {

namespace {

const EditFrmCommandRegistration kGbrFmt{"MnuGbrFmt_Click",
                                         [](EditFrm& frm) { MnuGbrFmt_Click(frm); }};

}  // namespace

void MnuGbrFmt_Click(EditFrm& frm) {
    GAI_FMT dialog(&frm);
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
        });
}

}  // namespace talmir
