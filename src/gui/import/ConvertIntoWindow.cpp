#include "gui/import/ConvertIntoWindow.h"

#include "core/editor/WorkFiles.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramWindow.h"

#include <QFile>

namespace talmir {

QString programCaption(const QString& documentName) {
    const qsizetype dot = documentName.indexOf(QLatin1Char('.'));
    return dot < 0 ? documentName : documentName.left(dot);
}

bool loadProgram(ProgramWindow& window, const std::string& program, const QString& caption) {
    if (!window.TextOrTree(0)) {
        return false;
    }
    window.pane().setShiftJis(program);
    window.setCaption(caption);
    window.owner().guard().processEvents();
    return true;
}

bool convertIntoWindow(EditFrm& frm, ProgramWindow::Kind kind, const QString& caption,
                       const EditorConversion& convert, const QString& title) {
    ProgramWindow* gfrm = nullptr;
    bool converted = false;
    frm.guard().run(title, [&] {
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
        gfrm = &programWindow(frm, kind);
        converted = loadProgram(*gfrm, program, caption);
    });
    if (converted) {
        gfrm->window().show();
        gfrm->window().raise();
    }
    return converted;
}

}  // namespace talmir
