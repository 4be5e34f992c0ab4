#include "import/EditFrmLuter.h"

#include "app/EditFrm.h"
#include "app/EditFrmCommands.h"
#include "import/ProgramWindow.h"
#include "import/RouterToGcode.h"
#include "import/Ruta_FMT.h"

namespace talmir {

namespace {

const EditFrmCommandRegistration kLuter{"MnuLuter_Click",
                                        [](EditFrm& frm) { MnuLuter_Click(frm); }};

}  // namespace

void MnuLuter_Click(EditFrm& frm) {
    Ruta_FMT dialog(&frm);
    dialog.exec();
    if (!dialog.options()) {
        return;
    }
    // The router program keeps the whole document name as its caption.
    const importers::RouterImportOptions chosen = *dialog.options();
    convertIntoGcodeWindow(
        frm, frm.documentName(),
        [&chosen](std::string_view input, const std::function<void()>& progress) {
            importers::RouterImportOptions options = chosen;
            options.progress = progress;
            return importers::routerToGcode(input, options);
        });
}

}  // namespace talmir
