#include "gui/base/PaneSearch.h"

#include "core/Failure.h"
#include "core/editor/Find.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/PaneText.h"
#include "gui/base/TextPane.h"

#include <QComboBox>

#include <exception>
#include <optional>

namespace talmir {

namespace {

std::optional<editor::FoundText> findInPane(TextPane& pane, const QString& text,
                                            const QString& snapshotPath) {
    const std::size_t start = selectionStartChar(pane);
    // The pane's own bytes, not its snapshot: a pane loaded with lone LF line ends
    // counts them as one character each, and the selection must land where the
    // text was found.
    const std::string bytes = pane.shiftJis();
    if (auto failure = writeFileBytes(snapshotPath, text::paneSnapshot(bytes))) {
        throw *failure;
    }
    std::size_t unmappable = 0;
    const std::string pattern = text::utf8ToShiftJis(text.toStdString(), &unmappable);
    if (unmappable > 0) {
        return std::nullopt;  // a character Shift-JIS cannot hold is in no document
    }
    return editor::findForward(bytes, pattern, start);
}

}  // namespace

void searchPane(TextPane& pane, QComboBox& searchBox, Dialogs& dialogs, QWidget* parent,
                const QString& snapshotPath) {
    const QString text = searchBox.currentText();
    if (text.isEmpty()) {
        return;
    }
    if (searchBox.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        searchBox.addItem(text);
        searchBox.setEditText(text);
    }
    std::optional<editor::FoundText> found;
    try {
        found = findInPane(pane, text, snapshotPath);
    } catch (const Failure&) {
        // Any failure of the search reads as "not found".
    } catch (const std::exception&) {
    }
    if (found) {
        selectChars(pane, found->startChar, found->lengthChars);
        markSelection(pane);
        pane.setFocus();
        return;
    }
    dialogs.message(parent, QString::fromStdString(editor::notFoundMessage(text.toStdString())), {},
                    MessageIcon::None);
}

}  // namespace talmir
