#include "gui/import/EditFrmLuter.h"

#include "core/import/RouterToGcode.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/import/Ruta_FMT.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

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
        },
        productTitle);
}

}  // namespace talmir
