#include "gui/import/EditFrmHpgl.h"

#include "core/import/HpglToGcode.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

namespace talmir {

namespace {

const EditFrmCommandRegistration kHpgl{"MnuHpgl_Click", [](EditFrm& frm) { MnuHpgl_Click(frm); }};

}  // namespace

void MnuHpgl_Click(EditFrm& frm) {
    // The passes that would go through "BAK1.DAT" and "BAK.DAT" run in memory;
    // the caption is the whole document name.
    convertIntoGcodeWindow(frm, frm.documentName(),
                           [](std::string_view input, const std::function<void()>& progress) {
                               importers::HpglOptions options;
                               options.progress = progress;
                               return importers::hpglToGcode(input, options);
                           });
}

}  // namespace talmir
