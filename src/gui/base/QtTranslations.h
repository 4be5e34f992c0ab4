#pragma once
// Qt's own texts (the buttons of message boxes, the file, colour, font and print
// dialogs) in Japanese, so that the whole program speaks one language.

class QCoreApplication;

namespace talmir {

// Installs Qt's Japanese translations (Debian package qt6-translations-l10n) into
// `app`, whatever the desktop's language. False when they are not installed: Qt's
// texts then stay in English.
bool installQtJapanese(QCoreApplication& app);

}  // namespace talmir
