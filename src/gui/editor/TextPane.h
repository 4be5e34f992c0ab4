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
    explicit TextPane(QWidget* parent = nullptr);

    // Replaces the whole text by the Shift-JIS `bytes`; the undo history starts
    // afresh. The text is decoded before the pane changes, so a failure (out of
    // memory) leaves the old text.
    void setShiftJis(std::string_view bytes);
    // The whole text as Shift-JIS bytes.
    std::string shiftJis() const;

    // The pane's own UTF-8 text, valid until the next change.
    std::string_view utf8View() const;
    void setUtf8Text(std::string_view utf8);

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
