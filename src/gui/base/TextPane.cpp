#include "gui/base/TextPane.h"

#include "core/Failure.h"
#include "core/text/ShiftJis.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <new>

namespace talmir {

namespace {

QStringList localFiles(const QMimeData* mime) {
    QStringList paths;
    if (mime == nullptr || !mime->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    return paths;
}

}  // namespace

TextPane::TextPane(QWidget* parent) : QsciScintilla(parent) {
    setUtf8(true);
    setWrapMode(QsciScintilla::WrapNone);
    setEolMode(QsciScintilla::EolWindows);
    setMarginWidth(1, 0);
    setAcceptDrops(true);
}

std::size_t TextPane::longestLine(std::string_view text) {
    std::size_t longest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

void TextPane::setUtf8Text(std::string_view utf8) {
    if (longestLine(utf8) > kMaxLineBytes) {
        throw Failure::message("1行の長さが 4 MB を超えるため表示できません。");
    }
    // No undo record of a whole-document replacement: it would hold a second copy.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(utf8.size() + 1));
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_GOTOPOS, 0UL);
    const long status = SendScintilla(SCI_GETSTATUS);
    if (status == SC_STATUS_BADALLOC) {
        SendScintilla(SCI_SETSTATUS, 0UL);
        SendScintilla(SCI_CLEARALL);
        throw std::bad_alloc();
    }
}

void TextPane::setShiftJis(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    text::appendShiftJisToUtf8(utf8, bytes);
    setUtf8Text(utf8);
}

std::string_view TextPane::utf8View() const {
    const auto length = static_cast<std::size_t>(SendScintilla(SCI_GETLENGTH));
    if (length == 0) {
        return {};
    }
    const auto* data = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return {data, length};
}

std::string TextPane::shiftJis() const {
    return text::utf8ToShiftJis(utf8View());
}

void TextPane::clearText() {
    SendScintilla(SCI_CLEARALL);
}

bool TextPane::isEmptyText() const {
    return SendScintilla(SCI_GETLENGTH) == 0;
}

void TextPane::setPaneFont(const QFont& font) {
    setFont(font);
    SendScintilla(SCI_STYLESETFONT, static_cast<unsigned long>(STYLE_DEFAULT),
                  font.family().toUtf8().constData());
    SendScintilla(SCI_STYLESETSIZEFRACTIONAL, static_cast<unsigned long>(STYLE_DEFAULT),
                  static_cast<long>(font.pointSizeF() * 100));
    SendScintilla(SCI_STYLESETBOLD, static_cast<unsigned long>(STYLE_DEFAULT),
                  static_cast<long>(font.bold()));
    SendScintilla(SCI_STYLESETITALIC, static_cast<unsigned long>(STYLE_DEFAULT),
                  static_cast<long>(font.italic()));
    SendScintilla(SCI_STYLECLEARALL);
}

void TextPane::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QsciScintilla::dragEnterEvent(event);
}

void TextPane::dragMoveEvent(QDragMoveEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QsciScintilla::dragMoveEvent(event);
}

void TextPane::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (!files.isEmpty()) {
        event->acceptProposedAction();
        emit filesDropped(files);
        return;
    }
    QsciScintilla::dropEvent(event);
}

}  // namespace talmir
