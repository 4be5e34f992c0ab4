#pragma once
// The one door for message boxes, questions and common dialogs. Every window of
// the program asks through a Dialogs; the running program passes QtDialogs, tests
// pass a scripted stand-in that records messages and answers from a queue.

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace talmir {

enum class MessageIcon { None, Information, Warning, Critical, Question };

enum class Answer { Yes, No, Cancel };

struct FileDialogRequest {
    QString title;
    QString initialFolder;
    QString fileName;
    // Filter pairs as the program writes them: "全てのﾌｧｲﾙ(*.*)|*.*".
    QString filter;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An empty title shows the program's title.
    virtual void message(QWidget* parent, const QString& text, const QString& title,
                         MessageIcon icon) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title) = 0;
    // Yes/No/Cancel question; closing the box is Cancel.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& title) = 0;
    // A cancelled file dialog gives no value.
    virtual std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial) = 0;
    virtual std::optional<QFont> font(QWidget* parent, const QFont& initial) = 0;
    // Printer set-up on `printer`; false when cancelled.
    virtual bool printerSetup(QWidget* parent, QPrinter& printer) = 0;
    // The one-line input box `InpFrm`: shows `initial`, hands back what the box holds
    // when it closes (however it was closed).
    virtual QString inputLine(QWidget* parent, const QString& initial) = 0;
};

// The real dialogs.
class QtDialogs final : public Dialogs {
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

private:
    // A dialog given no initial folder starts where the last one ended, as the
    // desktop's own dialogs do, not in the program's working folder.
    QString startPath(const FileDialogRequest& request) const;
    std::optional<QString> remember(const QString& chosen);

    QString m_lastFolder;
};

// "desc(*.EXE)|*.EXE|全て(*.*)|*.*" as a Qt name filter. "*.*" becomes "*" (names
// here need no dot) and a pattern also matches its lower-case spelling.
QString qtNameFilter(const QString& filter);

// The title a message box shows when the caller gives none.
QString defaultMessageTitle();

}  // namespace talmir
