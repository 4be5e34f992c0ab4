#pragma once
// A plain-text pane of the program. The document is Shift-JIS bytes; the pane
// shows it through the lossless codec (bytes that are not Shift-JIS come back
// unchanged) and hands the bytes straight to the editing component, so a
// multi-million-line program loads in a fraction of a second. NUL bytes are kept.
//
// The editing component lays out a whole line each time it draws or changes it,
// some seconds per megabyte, so a line longer than kLongLineBytes (a one-line HPGL
// plot, a Gerber file without line breaks) is shown in display lines of at most
// kDisplayLineBytes, each ending after a ";" or "*" where it has one. The breaks
// are LINE SEPARATOR characters (U+2028), which no Shift-JIS text holds; the pane
// takes them as line ends, and they never reach the document's bytes: shiftJis()
// leaves them out, the character positions of PaneText skip them, copied and
// dragged text goes without them, and the file lines below count the lines of the
// document. A paste or keystroke that makes a display line longer than
// kLongLineBytes breaks it the same way.

#include <Qsci/qsciscintilla.h>

#include <QStringList>

#include <string>
#include <string_view>

namespace talmir {

class TextPane : public QsciScintilla {
    Q_OBJECT
public:
    // The longest line a pane takes, in bytes of its text: far past any real file,
    // it stops a runaway text (every line end of a huge program deleted) with a
    // message.
    static constexpr std::size_t kMaxLineBytes = std::size_t{1024} * 1024 * 1024;
    // Lines up to this length are shown as they are.
    static constexpr std::size_t kLongLineBytes = 4096;
    // The longest display line of a longer line, in bytes of its text.
    static constexpr std::size_t kDisplayLineBytes = 256;
    // The virtual line break of a long line (U+2028 in UTF-8).
    static constexpr std::string_view kVirtualBreak = "\xE2\x80\xA8";

    explicit TextPane(QWidget* parent = nullptr);

    // Replaces the whole text by the Shift-JIS `bytes`; the undo history starts
    // afresh. The text is decoded before the pane changes, so a failure (out of
    // memory, a line longer than kMaxLineBytes) leaves the old text; the failure
    // is thrown.
    void setShiftJis(std::string_view bytes);
    // The whole text as Shift-JIS bytes, without the virtual line breaks.
    std::string shiftJis() const;

    // The pane's own UTF-8 text with its virtual line breaks, valid until the
    // next change.
    std::string_view utf8View() const;
    void setUtf8Text(std::string_view utf8);

    // The longest line a pane takes; tests lower it to reach the refusal.
    static std::size_t maxLineBytes();
    static void setMaxLineBytes(std::size_t bytes);

    // The length of the longest line of `text` in bytes.
    static std::size_t longestLine(std::string_view text);

    void clearText();
    bool isEmptyText() const;

    void setPaneFont(const QFont& font);

    // File lines are the document's lines, counted from 0 without the virtual
    // line breaks: a long line in many display lines is one file line. Positions
    // are bytes of the pane's text.
    // Where file line `fileLine` starts; the text's length past the last line.
    long positionOfFileLine(int fileLine) const;
    // Where the text of file line `fileLine` ends, before its line end.
    long fileLineEndPosition(int fileLine) const;
    // The file line that holds `position`.
    int fileLineAt(long position) const;

    // Pastes the clipboard's text over the selection; a display line longer than
    // kLongLineBytes that the paste makes is broken into display lines in the same
    // undo step, before the pane lays it out.
    void paste() override;

signals:
    // Local files dropped onto the pane.
    void filesDropped(const QStringList& paths);

protected:
    // Copied and dragged text goes without the virtual line breaks.
    QMimeData* toMimeData(const QByteArray& text, bool rectangular) const override;
    void keyPressEvent(QKeyEvent* event) override;
    // A middle click pastes the selection of the desktop.
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Breaks the display lines from the one holding `from` to the one holding
    // `to` that are longer than kLongLineBytes; the caret keeps its place in the
    // text.
    void breakLongDisplayLines(long from, long to);
    // Replaces the text from `from` to `to` by `utf8` with the virtual line breaks
    // of its long lines; returns where `offsetBytes` into `utf8` is in the new text
    // (before a break that falls there).
    std::size_t replaceWithVirtualBreaks(long from, long to, std::string_view utf8,
                                         std::size_t offsetBytes);
};

}  // namespace talmir
