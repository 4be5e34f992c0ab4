#pragma once
// The dialog door for window tests: records every message and question, answers
// from queues. A dialog with no queued answer is cancelled (a question is answered
// No) and counted in `unanswered`, so a test notices a dialog it did not expect.

#include "gui/base/Dialogs.h"

#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <optional>
#include <vector>

namespace talmir::testing {

struct RecordedMessage {
    QString text;
    QString title;
    MessageIcon icon;
};

class ScriptedDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& text, const QString& title,
                 MessageIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& title) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QColor> color(QWidget* parent, const QColor& initial) override;
    std::optional<QFont> font(QWidget* parent, const QFont& initial) override;
    bool printerSetup(QWidget* parent, QPrinter& printer) override;
    QString inputLine(QWidget* parent, const QString& initial) override;

    // Queued answers, first in first out. An empty optional is a cancel.
    std::deque<bool> yesNo;
    std::deque<Answer> yesNoCancel;            // unqueued: Cancel
    std::deque<std::optional<QString>> files;  // open and save dialogs alike
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<QFont>> fonts;
    std::deque<bool> printerSetups;
    std::deque<QString> inputs;

    // What was shown.
    std::vector<RecordedMessage> messages;
    QStringList questions;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<bool> saveDialogs;  // per file request: a save dialog, not an open one
    QStringList inputsShown;
    int unanswered = 0;

    QStringList messageTexts() const;
};

}  // namespace talmir::testing
