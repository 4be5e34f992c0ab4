#include "import/ProgramWindow.h"

#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "editor/TextPane.h"
#include "editor/WorkFiles.h"
#include "export/GFrm.h"
#include "text/Lines.h"

#include <QFile>

namespace talmir {

QString programCaption(const QString& documentName) {
    const qsizetype dot = documentName.indexOf(QLatin1Char('.'));
    return dot < 0 ? documentName : documentName.left(dot);
}

bool loadProgram(EditFrm& frm, GFrm& gfrm, const std::string& program, const QString& caption) {
    if (!gfrm.TextOrTree(0)) {
        return false;
    }
    gfrm.pane().setShiftJis(program);
    gfrm.setWindowTitle(caption);
    frm.guard().processEvents();
    return true;
}

bool convertIntoGcodeWindow(EditFrm& frm, const QString& caption, const EditorConversion& convert) {
    GFrm* gfrm = nullptr;
    bool converted = false;
    frm.guard().run({}, [&] {
        std::string program;
        {
            const std::string input = text::paneSnapshot(frm.pane().shiftJis());
            auto result = convert(input, [&frm] { frm.guard().flicker(); });
            QFile::remove(frm.workFile(editor::kBakDat));
            QFile::remove(frm.workFile(editor::kBak1Dat));
            if (!result) {
                throw result.failure();
            }
            program = std::move(result).value();
        }
        // A window that cannot show its text view reports why and keeps its text.
        gfrm = &GFrm::of(frm);
        converted = loadProgram(frm, *gfrm, program, caption);
    });
    if (converted) {
        gfrm->show();
        gfrm->raise();
    }
    return converted;
}

}  // namespace talmir
