#pragma once
// Every command handler runs its body through one CommandGuard: the hourglass
// cursor, the progress flicker, and the error report. A `talmir::Failure` thrown
// by the body, or any stray std::exception, ends the command with the warning box
// "エラー番号 : " + number + line feed + description (a failure numbered 0 is a
// plain message); nothing escapes into the event loop. The cursor and the empty
// progress bar come back whatever happened.

#include <QPointer>
#include <QString>

#include <functional>

class QProgressBar;
class QWidget;

namespace talmir {

class Dialogs;
struct Failure;

class CommandGuard {
public:
    CommandGuard(Dialogs& dialogs, QWidget* parent) : m_dialogs(dialogs), m_parent(parent) {}

    void setProgressBar(QProgressBar* bar);

    // Runs `body`; true when it finished without a failure. `title` is the title of
    // the warning box (empty: the program's title).
    bool run(const QString& title, const std::function<void()>& body, bool hourglass = true);

    // One step of the busy indication: the progress bar shows the whole seconds of
    // the clock modulo 10.
    void flicker();
    // Lets pending window events run once.
    void processEvents();

    // Shows a failure the way the guard does.
    void report(const Failure& failure, const QString& title);

    Dialogs& dialogs() { return m_dialogs; }

private:
    Dialogs& m_dialogs;
    QWidget* m_parent;
    QPointer<QProgressBar> m_progress;
};

// The text of the warning box for a failure.
QString failureText(const Failure& failure);

}  // namespace talmir
