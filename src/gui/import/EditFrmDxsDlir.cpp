// "DXFを穴データへ" of the editor window: the circles of the editor's DXF drawing as
// hole data, one tool per layer, in the hole-data window.
#include "core/editor/WorkFiles.h"
#include "core/import/DxfCirclesToHoles.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/FileIo.h"
#include "gui/base/TextPane.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"
#include "gui/windows/ProgramWindow.h"

namespace talmir {

namespace {

// The work files stay in place: "BAK.DAT" the editor's text and then the hole
// data, "BAK1.DAT" the circle list. A drawing without circles, or one that cannot
// be read, is reported and no hole-data window is shown.
void MnuDxsDlir_Click(EditFrm& frm) {
    ProgramWindow* holes = nullptr;
    bool loaded = false;
    frm.guard().run({}, [&] {
        std::string data;
        {
            const std::string dxf = text::paneSnapshot(frm.pane().shiftJis());
            writeFileBytesOrThrow(frm.workFile(editor::kBakDat), dxf);
            frm.guard().processEvents();
            std::string circles;
            importers::DxfCircleOptions options;
            options.progress = [&frm] { frm.guard().flicker(); };
            options.circles = &circles;
            auto result = importers::dxfCirclesToHoles(dxf, options);
            writeFileBytesOrThrow(frm.workFile(editor::kBak1Dat), circles);
            if (!result) {
                throw result.failure();
            }
            data = std::move(result).value();
        }
        writeFileBytesOrThrow(frm.workFile(editor::kBakDat), data);
        holes = &programWindow(frm, ProgramWindow::Kind::Holes);
        // The caption is the whole document name, extension and all.
        loaded = loadProgram(*holes, data, frm.documentName());
    });
    if (loaded) {
        holes->window().show();
        holes->window().raise();
    }
}

const EditFrmCommandRegistration kDxsDlir{"MnuDxsDlir_Click", MnuDxsDlir_Click};

}  // namespace

}  // namespace talmir
