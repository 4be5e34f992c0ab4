#pragma once
// Plain text listings on the printer, shared by every text window (the editor, the
// G-code window, the hole-data window): one printed line per text line, one font,
// a new page when a page is full, no header, footer, page number or wrapping; a
// line wider than the page is cut at the page edge.

#include <QFont>
#include <QString>

#include <string_view>

class QPrinter;
class QWidget;

namespace talmir {

class CommandGuard;
class Dialogs;
class TextPane;

namespace app {
class SettingsStore;
}

// The font listings print in: section "Font" of the store, where a missing
// "FontBold" reads as bold (the pane at start-up reads it as not bold).
QFont storedPrintFont(const app::SettingsStore& store);

// The printer of the program: the system's default printer with what the printer
// set-up last chose. Lives as long as the application object.
QPrinter& programPrinter();

// True when the system has no printer, so listings go to a PDF file.
bool noPrinterInstalled();

// Prints the Shift-JIS `text` (lines end at CR LF, CR or LF) on `printer` in
// `font` and ends the document. Returns the number of pages. Throws a Failure when
// the printer cannot start a document.
int printTextListing(QPrinter& printer, const QFont& font, std::string_view text);

// The print command of a text window: the pane's whole text in the stored font on
// the program's printer; with no printer installed the listing goes to a PDF file
// chosen through the save dialog (a cancelled dialog does nothing). Failures are
// reported through `guard`.
void printPane(QWidget* window, const TextPane& pane, const app::SettingsStore& store,
               Dialogs& dialogs, CommandGuard& guard, const QString& documentName);

}  // namespace talmir
