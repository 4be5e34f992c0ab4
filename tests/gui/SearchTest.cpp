// The search box of the editor window: a forward search from the caret over the
// pane's characters, its history and its not-found message.
#include "EditorSession.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "gui/base/PaneSearch.h"
#include "gui/base/PaneText.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QtTest>

using namespace talmir;
using talmir::testing::readBytes;

class SearchTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        void search(const QString& text) {
            frm->searchBox().setEditText(text);
            frm->action("Command1_Click")->trigger();
        }
        // The selection as characters of the pane.
        std::pair<qsizetype, qsizetype> selection() const {
            TextPane& pane = frm->pane();
            const auto start = pane.SendScintilla(TextPane::SCI_GETSELECTIONSTART);
            const auto end = pane.SendScintilla(TextPane::SCI_GETSELECTIONEND);
            const auto utf8 = pane.utf8View();
            const auto from = charIndexOfUtf8Offset(utf8, static_cast<std::size_t>(start));
            const auto to = charIndexOfUtf8Offset(utf8, static_cast<std::size_t>(end));
            return {static_cast<qsizetype>(from), static_cast<qsizetype>(to - from)};
        }
        void caretAt(std::size_t charIndex) {
            const auto pos = utf8OffsetOfCharIndex(frm->pane().utf8View(), charIndex);
            frm->pane().SendScintilla(TextPane::SCI_GOTOPOS, static_cast<unsigned long>(pos));
        }
    };

    static QString notFound(const QString& text) {
        return QStringLiteral("検索文字[ ") + text + QStringLiteral(" ]が見つかりませんでした。");
    }

private slots:
    void findsStrictlyAfterTheCaret_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("start");  // -1: not found
        QTest::addColumn<QString>("selected");
        QTest::newRow("a match at the caret is skipped")
            << QByteArray("G01X1\r\nG01X2") << 0 << "G01" << 7 << "G01";
        QTest::newRow("a line end counts two characters")
            << QByteArray("AB\r\nCD\r\nCD") << 0 << "CD" << 4 << "CD";
        QTest::newRow("found inside a partial match")
            << QByteArray("xaaab") << 0 << "aab" << 2 << "aab";
        QTest::newRow("no wrap-around") << QByteArray("X1 X2") << 3 << "X1" << -1 << "";
        QTest::newRow("double-byte characters count once")
            << QByteArray("\x8a\xbf\x8e\x9a\x8a\xbf\x8e\x9a") << 0 << QStringLiteral("漢字") << 2
            << QStringLiteral("漢字");
        QTest::newRow("half-width katakana") << QByteArray("\xbb\xdd\xcc\xdf\xd9 \xbb\xdd") << 0
                                             << QStringLiteral("ｻﾝ") << 6 << QStringLiteral("ｻﾝ");
        QTest::newRow("bytes that are not Shift-JIS before the match")
            << QByteArray("\xff\xfd\x80G01") << 0 << "G01" << 3 << "G01";
        QTest::newRow("a lone LF counts one character")
            << QByteArray("AB\nCD\nCD") << 0 << "CD" << 3 << "CD";
        QTest::newRow("search text longer than the document")
            << QByteArray("G0") << 0 << "G01X100" << -1 << "";
        QTest::newRow("empty document") << QByteArray() << 0 << "G" << -1 << "";
        QTest::newRow("a backslash is not the trail byte of ソ")
            << QByteArray("\x83\x5c\\") << 0 << "\\" << 1 << "\\";
        QTest::newRow("a character Shift-JIS cannot hold")
            << QByteArray("G01?") << 0 << QStringLiteral("😀") << -1 << "";
    }

    void findsStrictlyAfterTheCaret() {
        QFETCH(QByteArray, text);
        QFETCH(int, caret);
        QFETCH(QString, pattern);
        QFETCH(int, start);
        QFETCH(QString, selected);
        Session s;
        s.frm->pane().setShiftJis(text.toStdString());
        s.caretAt(static_cast<std::size_t>(caret));
        s.search(pattern);
        if (start < 0) {
            QCOMPARE(s.dialogs.messageTexts(), QStringList{notFound(pattern)});
            QCOMPARE(s.frm->pane().selectedText(), QString());
        } else {
            QVERIFY(s.dialogs.messages.empty());
            QCOMPARE(s.selection(), std::make_pair(qsizetype{start}, selected.size()));
            QCOMPARE(s.frm->pane().selectedText(), selected);
            // The found text is coloured dark red.
            const auto from = s.frm->pane().SendScintilla(TextPane::SCI_GETSELECTIONSTART);
            QVERIFY(isMarked(s.frm->pane(), static_cast<std::size_t>(from)));
            QVERIFY(from == 0 || !isMarked(s.frm->pane(), 0));
        }
        // The text itself never changes.
        QCOMPARE(QByteArray::fromStdString(s.frm->pane().shiftJis()), text);
    }

    void repeatingStepsToTheNextOccurrence() {
        Session s;
        s.frm->pane().setShiftJis("GGGG G01");
        s.caretAt(0);
        for (int expected : {1, 2}) {
            s.search("GG");
            QCOMPARE(s.selection().first, qsizetype{expected});
        }
        s.search("GG");
        QCOMPARE(s.dialogs.messageTexts(), QStringList{notFound("GG")});
    }

    void historyKeepsEachTextOnce() {
        Session s;
        s.frm->pane().setShiftJis("A B A B");
        for (const char* text : {"A", "B", "A", "C"}) {
            s.search(text);
        }
        QComboBox& box = s.frm->searchBox();
        QStringList items;
        for (int i = 0; i < box.count(); ++i) {
            items << box.itemText(i);
        }
        QCOMPARE(items, (QStringList{"A", "B", "C"}));
        QCOMPARE(box.currentText(), QStringLiteral("C"));
    }

    void emptyBoxDoesNothing() {
        Session s;
        s.frm->pane().setShiftJis("G01");
        s.search(QString());
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(s.frm->searchBox().count(), 0);
        QVERIFY(!QFile::exists(s.scratch.appFile("BAK.DAT")));
    }

    void leavesTheSnapshotBehind() {
        Session s;
        s.frm->pane().setShiftJis("G00\nG01\n");
        s.search("G01");
        QCOMPARE(readBytes(s.scratch.appFile("BAK.DAT")), QByteArray("G00\r\nG01\r\n"));
    }

    void searchesAnyPane() {
        // The same routine serves the other text windows on their own panes.
        talmir::testing::ScriptedDialogs dialogs;
        talmir::testing::ScratchFolders scratch;
        TextPane pane;
        QComboBox box;
        box.setEditable(true);
        pane.setShiftJis("T01\r\nT02\r\nT01");
        box.setEditText("T01");
        searchPane(pane, box, dialogs, nullptr, scratch.appFile("BAK.DAT"));
        QCOMPARE(pane.selectedText(), QStringLiteral("T01"));
        QCOMPARE(pane.SendScintilla(TextPane::SCI_GETSELECTIONSTART), 10L);
        QVERIFY(dialogs.messages.empty());
    }
};

QTEST_MAIN(SearchTest)
#include "SearchTest.moc"
