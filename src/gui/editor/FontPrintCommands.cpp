#include "gui/editor/FontPrintCommands.h"

#include "core/app/FontSettings.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/EditorFont.h"
#include "gui/base/TextPane.h"
#include "gui/base/TextPrinter.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QFont>
#include <QPrinter>

namespace talmir {

void MnuFont_Click(EditFrm& frm) {
    const app::FontSettings stored = app::readFontSettings(frm.settings(), true);
    const auto chosen = frm.dialogs().font(&frm, editorFont(stored));
    if (!chosen) {
        return;
    }
    frm.guard().run(
        {},
        [&] {
            app::FontSettings font = stored;
            // A stored face that is not installed here ("ＭＳ 明朝") shows as a
            // stand-in; choosing that stand-in keeps the stored name.
            const QString family = chosen->family();
            if (family != displayFamily(QString::fromStdString(stored.name))) {
                font.name = family.toStdString();
            }
            if (chosen->pointSizeF() > 0) {
                font.sizePt = chosen->pointSizeF();
            } else if (chosen->pixelSize() > 0) {
                font.sizePt = chosen->pixelSize() * 72.0 / frm.logicalDpiY();
            }
            font.bold = chosen->bold();
            font.italic = chosen->italic();
            frm.pane().setPaneFont(editorFont(font));
            app::writeFontSettings(frm.settings(), font);
        },
        false);
}

void MnuPrintSet_Click(EditFrm& frm) {
    frm.guard().run(
        {}, [&] { frm.dialogs().printerSetup(&frm, programPrinter()); }, false);
}

void MnuPrint_Click(EditFrm& frm) {
    printPane(&frm, frm.pane(), frm.settings(), frm.dialogs(), frm.guard(), frm.documentName());
}

namespace {

const EditFrmCommandRegistration kFont{"MnuFont_Click", [](EditFrm& frm) { MnuFont_Click(frm); }};
const EditFrmCommandRegistration kPrintSet{"MnuPrintSet_Click",
                                           [](EditFrm& frm) { MnuPrintSet_Click(frm); }};
const EditFrmCommandRegistration kPrint{"MnuPrint_Click",
                                        [](EditFrm& frm) { MnuPrint_Click(frm); }};

}  // namespace

}  // namespace talmir
