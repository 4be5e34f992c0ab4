#pragma once
// A plain-text pane of the program. The document is Shift-JIS bytes; the pane
// shows it through the lossless codec (bytes that are not Shift-JIS come back
// unchanged) and hands the bytes straight to the editing component, so a
// multi-million-line program loads in a fraction of a second. NUL bytes are kept.

#include <Qsci/qsciscintilla.h>

#include <QStringList>

#include <string>
#include <string_view>

namespace talmir {

class TextPane : public QsciScintilla {
    Q_OBJECT
public:
    // The longest line a pane takes, in bytes of its text. The editing component
    // measures a line in pieces of about 100 characters each time it is drawn,
    // some seconds per megabyte: a longer line would freeze the window for
    // minutes, so such a text is refused with a message instead.
    static constexpr std::size_t kMaxLineBytes = 4 * 1024 * 1024;

    explicit TextPane(QWidget* parent = nullptr);

    // Replaces the whole text by the Shift-JIS `bytes`; the undo history starts
    // afresh. The text is decoded before the pane changes, so a failure (out of
    // memory, a line longer than kMaxLineBytes) leaves the old text; the failure
    // is thrown.
    void setShiftJis(std::string_view bytes);
    // The whole text as Shift-JIS bytes.
    std::string shiftJis() const;

    // The pane's own UTF-8 text, valid until the next change.
    std::string_view utf8View() const;
    void setUtf8Text(std::string_view utf8);

    // The length of the longest line of `text` in bytes.
    static std::size_t longestLine(std::string_view text);

    void clearText();
    bool isEmptyText() const;

    void setPaneFont(const QFont& font);

signals:
    // Local files dropped onto the pane.
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace talmir
