// The file comparison window: byte copies and dumps of the two files, the text
// and hexadecimal views, and the first difference marked in both panes.
#include "EditorSession.h"
#include "TestFiles.h"
#include "gui/base/PaneText.h"
#include "gui/base/TextPane.h"
#include "gui/editor/FileIsFrm.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

class FileIsFrmTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        void choose(FileIsFrm& window, int slot, const QByteArray& bytes) {
            const QString path = scratch.path(QStringLiteral("file%1").arg(slot));
            writeBytes(path, bytes);
            dialogs.files.push_back(path);
            window.browseButton(slot).click();
        }
    };

    // The selected character of a pane, as a character index, and whether it is
    // coloured.
    static std::pair<qsizetype, bool> markOf(TextPane& pane) {
        const auto start = pane.SendScintilla(TextPane::SCI_GETSELECTIONSTART);
        const auto index = charIndexOfUtf8Offset(pane.utf8View(), static_cast<std::size_t>(start));
        return {static_cast<qsizetype>(index), isMarked(pane, static_cast<std::size_t>(start))};
    }

private slots:
    void browsingFillsTheSlots() {
        Session s;
        FileIsFrm window(*s.frm);
        QCOMPARE(window.windowTitle(), QStringLiteral("ファイル比較"));
        QVERIFY(!window.option(0).isEnabled());
        QVERIFY(!window.option(1).isEnabled());
        QVERIFY(!window.compareButton().isEnabled());
        s.choose(window, 0, QByteArray("A\r\n\x8a\xbf", 5));
        QCOMPARE(window.pathBox(0).text(), s.scratch.path("file0"));
        QCOMPARE(readBytes(s.scratch.appFile("bak0")), QByteArray("A\r\n\x8a\xbf"));
        QCOMPARE(readBytes(s.scratch.appFile("bak10")), QByteArray("41 0D 0A 8A BF "));
        QCOMPARE(QByteArray::fromStdString(window.pane(0).shiftJis()), QByteArray("A\r\n\x8a\xbf"));
        QVERIFY(!window.option(0).isEnabled());
        s.choose(window, 1, QByteArray("\0B", 2));
        QCOMPARE(readBytes(s.scratch.appFile("bak11")), QByteArray("00 42 "));
        QVERIFY(window.option(0).isEnabled() && window.option(1).isEnabled());
        QVERIFY(!window.compareButton().isEnabled());
        window.option(1).click();
        QCOMPARE(window.pane(0).shiftJis(), std::string("41 0D 0A 8A BF "));
        QCOMPARE(window.pane(1).shiftJis(), std::string("00 42 "));
        QVERIFY(window.compareButton().isEnabled());
        // Browsing in the hexadecimal view shows the dump.
        s.choose(window, 1, "C");
        QCOMPARE(window.pane(1).shiftJis(), std::string("43 "));
        window.option(0).click();
        QCOMPARE(window.pane(1).shiftJis(), std::string("C"));
        QVERIFY(!window.compareButton().isEnabled());
    }

    void browseFailuresAreQuiet() {
        Session s;
        FileIsFrm window(*s.frm);
        window.browseButton(0).click();  // cancelled
        s.dialogs.files.push_back(s.scratch.path("none"));
        window.browseButton(0).click();
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(window.pathBox(0).text(), s.scratch.path("none"));
        QVERIFY(!window.option(0).isEnabled());
    }

    void comparesTheDumps_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("other");
        QTest::addColumn<int>("mark");  // -1: no difference
        QTest::newRow("identical") << QByteArray("G01X1") << QByteArray("G01X1") << -1;
        QTest::newRow("second byte, low digit") << QByteArray("AB") << QByteArray("AC") << 4;
        QTest::newRow("first byte, high digit") << QByteArray("A") << QByteArray("Q") << 0;
        QTest::newRow("source is a prefix: its trailing blank")
            << QByteArray("AB") << QByteArray("ABC") << 5;
        QTest::newRow("other is a prefix: just after its end")
            << QByteArray("ABC") << QByteArray("AB") << 6;
        QTest::newRow("empty source") << QByteArray() << QByteArray("A") << 0;
        QTest::newRow("both empty") << QByteArray() << QByteArray() << -1;
    }

    void comparesTheDumps() {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, other);
        QFETCH(int, mark);
        Session s;
        FileIsFrm window(*s.frm);
        s.choose(window, 0, source);
        s.choose(window, 1, other);
        window.option(1).click();
        window.compareButton().click();
        if (mark < 0) {
            QCOMPARE(s.dialogs.messageTexts(), QStringList{QStringLiteral("比較を完了しました。")});
        } else {
            QCOMPARE(s.dialogs.messageTexts(),
                     QStringList{QStringLiteral("ファイルに違いが確認されました。")});
            const qsizetype markIndex = mark;
            for (int slot = 0; slot < 2; ++slot) {
                TextPane& pane = window.pane(slot);
                const qsizetype length = static_cast<qsizetype>(pane.utf8View().size());
                // Past the end of a shorter dump the caret stands at its end.
                const qsizetype expected = std::min(markIndex, length);
                QCOMPARE(markOf(pane).first, expected);
                if (markIndex < length) {
                    QVERIFY(markOf(pane).second);
                    QCOMPARE(pane.selectedText().size(), 1);
                }
            }
        }
        QCOMPARE(readBytes(s.scratch.appFile("bak30")),
                 QByteArray::fromStdString(window.pane(0).shiftJis()));
        QCOMPARE(readBytes(s.scratch.appFile("bak31")),
                 QByteArray::fromStdString(window.pane(1).shiftJis()));
    }

    void editsInThePanesAreCompared() {
        Session s;
        FileIsFrm window(*s.frm);
        s.choose(window, 0, "AB");
        s.choose(window, 1, "AB");
        window.option(1).click();
        window.pane(1).setShiftJis("41 43 ");
        window.compareButton().click();
        QCOMPARE(markOf(window.pane(0)).first, qsizetype{4});
        QVERIFY(window.statusBar().currentMessage().contains(QLatin1Char('1')));
    }

    void aFailedCompareSaysSo() {
        Session s;
        FileIsFrm window(*s.frm);
        s.choose(window, 0, "A");
        s.choose(window, 1, "A");
        window.option(1).click();
        // A folder where a work file should go.
        QFile::remove(s.scratch.appFile("bak30"));
        QDir().mkpath(s.scratch.appFile("bak30"));
        window.compareButton().click();
        QCOMPARE(s.dialogs.messageTexts(), QStringList{QStringLiteral("エラーが発生しました。")});
    }

    void menuShowsTheWindowModally() {
        Session s;
        s.frm->show();
        QString title;
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window != nullptr);
            title = window->windowTitle();
            window->close();
        });
        s.frm->action("MnuFileIs_Click")->trigger();
        QCOMPARE(title, QStringLiteral("ファイル比較"));
    }
};

QTEST_MAIN(FileIsFrmTest)
#include "FileIsFrmTest.moc"
