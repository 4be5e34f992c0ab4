#include "gui/base/TextPane.h"

#include "core/Failure.h"
#include "core/text/ShiftJis.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
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

std::size_t g_maxLineBytes = TextPane::kMaxLineBytes;

// The editing component's own accessible counts the characters from the start of
// the text to the caret at every caret move, a second near the end of a large
// program. Unless an assistive tool is running when a pane is first asked for,
// the pane answers as a plain editable widget instead.
QAccessibleInterface* plainPaneAccessible(const QString& /*className*/, QObject* object) {
    auto* pane = qobject_cast<TextPane*>(object);
    if (pane == nullptr || QAccessible::isActive()) {
        return nullptr;
    }
    return new QAccessibleWidget(pane, QAccessible::EditableText);
}

// Where the display line that starts at `start` of a long line ends: the rest of
// the line when it is short enough, else after the last ";" or "*" within
// kDisplayLineBytes, else after kDisplayLineBytes, never inside a character.
std::size_t displayLineEnd(std::string_view utf8, std::size_t start, std::size_t lineEnd) {
    const std::size_t limit = start + TextPane::kDisplayLineBytes;
    if (limit >= lineEnd) {
        return lineEnd;
    }
    const std::size_t separator = utf8.substr(start, limit - start).find_last_of(";*");
    if (separator != std::string_view::npos) {
        return start + separator + 1;
    }
    std::size_t end = limit;
    while (end > start + 1 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
        --end;
    }
    return end;
}

// Hands `utf8` to `sink` slice by slice, with a virtual line break after each
// display line of a line longer than kLongLineBytes: sink(slice, false) for the
// text, sink(kVirtualBreak, true) for a break.
template <typename Sink>
void withVirtualBreaks(std::string_view utf8, Sink&& sink) {
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t lineEnd = utf8.find_first_of("\r\n", start);
        lineEnd = lineEnd == std::string_view::npos ? utf8.size() : lineEnd;
        const std::size_t next = std::min(utf8.size(), utf8.find_first_not_of("\r\n", lineEnd));
        if (lineEnd - start <= TextPane::kLongLineBytes) {
            sink(utf8.substr(start, next - start), false);
        } else {
            for (std::size_t piece = start; piece < lineEnd;) {
                const std::size_t end = displayLineEnd(utf8, piece, lineEnd);
                sink(utf8.substr(piece, end - piece), false);
                if (end < lineEnd) {
                    sink(TextPane::kVirtualBreak, true);
                }
                piece = end;
            }
            sink(utf8.substr(lineEnd, next - lineEnd), false);
        }
        start = next;
    }
}

// Appends `utf8` to the pane's text with the virtual line breaks of its long
// lines, a megabyte at a time, so that the text is not held a third time.
void appendWithVirtualBreaks(TextPane& pane, std::string_view utf8) {
    constexpr std::size_t kBatchBytes = 1024 * 1024;
    std::string batch;
    batch.reserve(kBatchBytes + TextPane::kLongLineBytes);
    const auto flush = [&] {
        pane.SendScintilla(TextPane::SCI_APPENDTEXT, static_cast<unsigned long>(batch.size()),
                           batch.data());
        batch.clear();
    };
    withVirtualBreaks(utf8, [&](std::string_view slice, bool /*virtualBreak*/) {
        batch.append(slice);
        if (batch.size() >= kBatchBytes) {
            flush();
        }
    });
    flush();
}

// The number of virtual line breaks in `utf8`.
long virtualBreaksIn(std::string_view utf8) {
    long count = 0;
    for (std::size_t at = utf8.find(TextPane::kVirtualBreak); at != std::string_view::npos;
         at = utf8.find(TextPane::kVirtualBreak, at + TextPane::kVirtualBreak.size())) {
        ++count;
    }
    return count;
}

// `utf8` with every line end (CR LF, a lone CR or LF) as CR LF, as the component
// pastes text.
std::string withCrLfLineEnds(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 16);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' || utf8[i] == '\n') {
            out.append("\r\n");
            if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                ++i;
            }
        } else {
            out.push_back(utf8[i]);
        }
    }
    return out;
}

}  // namespace

TextPane::TextPane(QWidget* parent) : QsciScintilla(parent) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(plainPaneAccessible);
        return true;
    }();
    (void)accessibleInstalled;
    setUtf8(true);
    setWrapMode(QsciScintilla::WrapNone);
    setEolMode(QsciScintilla::EolWindows);
    setMarginWidth(1, 0);
    setAcceptDrops(true);
    // The component takes U+2028 as a line end only while a lexer that knows such
    // line ends is set; it keeps the setting when the lexer goes again, so no text
    // is ever styled.
    SendScintilla(SCI_SETLEXER, static_cast<unsigned long>(SCLEX_CPP));
    SendScintilla(SCI_SETLINEENDTYPESALLOWED, static_cast<unsigned long>(SC_LINE_END_TYPE_UNICODE));
    SendScintilla(SCI_SETLEXER, static_cast<unsigned long>(SCLEX_CONTAINER));
    // No change reports: the component's own handler of them counts the
    // characters from the start of the text on every keystroke.
    SendScintilla(SCI_SETMODEVENTMASK, 0UL);
}

std::size_t TextPane::maxLineBytes() {
    return g_maxLineBytes;
}

void TextPane::setMaxLineBytes(std::size_t bytes) {
    g_maxLineBytes = bytes;
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
    const std::size_t longest = longestLine(utf8);
    if (longest > g_maxLineBytes) {
        throw Failure::message("1行の長さが 1 GB を超えるため表示できません。");
    }
    // No undo record of a whole-document replacement: it would hold a second copy.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(utf8.size() + 1));
    if (longest > kLongLineBytes) {
        appendWithVirtualBreaks(*this, utf8);
    } else {
        SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
    }
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
    const std::string_view utf8 = utf8View();
    std::size_t at = utf8.find(kVirtualBreak);
    if (at == std::string_view::npos) {
        return text::utf8ToShiftJis(utf8);
    }
    std::string joined;
    joined.reserve(utf8.size());
    std::size_t start = 0;
    for (; at != std::string_view::npos; at = utf8.find(kVirtualBreak, start)) {
        joined.append(utf8.substr(start, at - start));
        start = at + kVirtualBreak.size();
    }
    joined.append(utf8.substr(start));
    return text::utf8ToShiftJis(joined);
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

long TextPane::positionOfFileLine(int fileLine) const {
    const std::string_view utf8 = utf8View();
    const long paneLines = SendScintilla(SCI_GETLINECOUNT);
    // The first display line of the file line is the smallest pane line whose
    // number less the breaks above it is `fileLine`; counting the breaks above a
    // guess and moving down by them reaches it from below.
    const long wanted = std::max(fileLine, 0);
    long line = wanted;
    long counted = 0;
    long breaks = 0;
    while (line < paneLines) {
        const long start = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        breaks += virtualBreaksIn(utf8.substr(static_cast<std::size_t>(counted),
                                              static_cast<std::size_t>(start - counted)));
        counted = start;
        if (wanted + breaks == line) {
            return start;
        }
        line = wanted + breaks;
    }
    return static_cast<long>(utf8.size());
}

long TextPane::fileLineEndPosition(int fileLine) const {
    const std::string_view utf8 = utf8View();
    long line = SendScintilla(SCI_LINEFROMPOSITION,
                              static_cast<unsigned long>(positionOfFileLine(fileLine)));
    for (;; ++line) {
        const auto end = static_cast<std::size_t>(
            SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line)));
        if (utf8.compare(end, kVirtualBreak.size(), kVirtualBreak) != 0) {
            return static_cast<long>(end);
        }
    }
}

int TextPane::fileLineAt(long position) const {
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const long start = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    return static_cast<int>(line - virtualBreaksIn(utf8View().substr(0, start)));
}

std::size_t TextPane::replaceWithVirtualBreaks(long from, long to, std::string_view utf8,
                                               std::size_t offsetBytes) {
    std::string broken;
    broken.reserve(utf8.size() + utf8.size() / 64 + 16);
    std::size_t consumed = 0;
    std::size_t offset = offsetBytes;
    withVirtualBreaks(utf8, [&](std::string_view slice, bool virtualBreak) {
        if (!virtualBreak) {
            consumed += slice.size();
        } else if (consumed < offsetBytes) {
            offset += slice.size();
        }
        broken.append(slice);
    });
    SendScintilla(SCI_SETTARGETSTART, static_cast<unsigned long>(from));
    SendScintilla(SCI_SETTARGETEND, static_cast<unsigned long>(to));
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(broken.size()), broken.data());
    return offset;
}

void TextPane::breakLongDisplayLines(long from, long to) {
    if (isReadOnly()) {
        return;
    }
    const long first = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(from));
    long caret = SendScintilla(SCI_GETCURRENTPOS);
    bool broken = false;
    // From the last line up, so that the lines above keep their positions.
    for (long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(to));
         line >= first; --line) {
        const long start = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        const long end = SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
        if (end - start <= static_cast<long>(kLongLineBytes)) {
            continue;
        }
        const std::string text(utf8View().substr(static_cast<std::size_t>(start),
                                                 static_cast<std::size_t>(end - start)));
        const bool inside = caret >= start && caret <= end;
        const long lengthBefore = SendScintilla(SCI_GETLENGTH);
        const std::size_t offset = replaceWithVirtualBreaks(
            start, end, text, inside ? static_cast<std::size_t>(caret - start) : 0);
        if (inside) {
            caret = start + static_cast<long>(offset);
        } else if (caret > end) {
            caret += SendScintilla(SCI_GETLENGTH) - lengthBefore;
        }
        broken = true;
    }
    if (broken) {
        SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(caret));
    }
}

void TextPane::paste() {
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (mime == nullptr || !canInsertFromMimeData(mime) || isReadOnly()) {
        return;
    }
    bool rectangular = false;
    QByteArray pasted = fromMimeData(mime, rectangular);
    const long from = SendScintilla(SCI_GETSELECTIONSTART);
    const long to = SendScintilla(SCI_GETSELECTIONEND);
    const long lineStart = SendScintilla(
        SCI_POSITIONFROMLINE, static_cast<unsigned long>(SendScintilla(
                                  SCI_LINEFROMPOSITION, static_cast<unsigned long>(from))));
    const long lineEnd = SendScintilla(SCI_GETLINEENDPOSITION,
                                       static_cast<unsigned long>(SendScintilla(
                                           SCI_LINEFROMPOSITION, static_cast<unsigned long>(to))));
    // A paste that leaves its display line short, and one into a rectangle or
    // several selections, goes as the component does it.
    const long longest = (from - lineStart) + static_cast<long>(pasted.size()) + (lineEnd - to);
    if (rectangular || SendScintilla(SCI_GETSELECTIONS) > 1 ||
        SendScintilla(SCI_SELECTIONISRECTANGLE) != 0 ||
        longest <= static_cast<long>(kLongLineBytes)) {
        QsciScintilla::paste();
        return;
    }
    const std::string_view utf8 = utf8View();
    std::string text(utf8.substr(static_cast<std::size_t>(lineStart),
                                 static_cast<std::size_t>(from - lineStart)));
    text += SendScintilla(SCI_GETPASTECONVERTENDINGS) != 0
                ? withCrLfLineEnds({pasted.constData(), static_cast<std::size_t>(pasted.size())})
                : pasted.toStdString();
    pasted.clear();
    const std::size_t caretBytes = text.size();
    text.append(utf8.substr(static_cast<std::size_t>(to), static_cast<std::size_t>(lineEnd - to)));
    SendScintilla(SCI_BEGINUNDOACTION);
    const std::size_t caret = replaceWithVirtualBreaks(lineStart, lineEnd, text, caretBytes);
    SendScintilla(SCI_ENDUNDOACTION);
    SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(lineStart) + caret);
}

QMimeData* TextPane::toMimeData(const QByteArray& text, bool rectangular) const {
    const QByteArray lineBreak(kVirtualBreak.data(), static_cast<qsizetype>(kVirtualBreak.size()));
    if (!text.contains(lineBreak)) {
        return QsciScintilla::toMimeData(text, rectangular);
    }
    QByteArray plain = text;
    plain.replace(lineBreak, QByteArray());
    return QsciScintilla::toMimeData(plain, rectangular);
}

void TextPane::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste();
        event->accept();
        return;
    }
    QsciScintilla::keyPressEvent(event);
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    breakLongDisplayLines(caret, caret);
}

void TextPane::mousePressEvent(QMouseEvent* event) {
    const long lengthBefore = SendScintilla(SCI_GETLENGTH);
    QsciScintilla::mousePressEvent(event);
    if (event->button() == Qt::MiddleButton) {
        const long caret = SendScintilla(SCI_GETCURRENTPOS);
        const long inserted = SendScintilla(SCI_GETLENGTH) - lengthBefore;
        breakLongDisplayLines(std::max(0L, caret - std::max(0L, inserted)), caret);
    }
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
    breakLongDisplayLines(SendScintilla(SCI_GETSELECTIONSTART), SendScintilla(SCI_GETSELECTIONEND));
}

}  // namespace talmir
