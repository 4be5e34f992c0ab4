#pragma once
// The search box of a window: a forward search from the caret of a text pane. The
// editor, the G-code window and the hole-data window each run it on their own pane
// with their own search box.

#include <QString>

class QComboBox;
class QWidget;

namespace talmir {

class Dialogs;
class TextPane;

// Searches `pane` for the search box's text strictly after the start of the
// pane's selection (so repeating the search steps to the next occurrence), without
// wrapping around. A found text is selected, coloured dark red and given the input
// focus; otherwise the not-found message is shown. The text joins the box's list
// the first time it is used. The pane's snapshot is left in `snapshotPath`.
// An empty box does nothing.
void searchPane(TextPane& pane, QComboBox& searchBox, Dialogs& dialogs, QWidget* parent,
                const QString& snapshotPath);

}  // namespace talmir
