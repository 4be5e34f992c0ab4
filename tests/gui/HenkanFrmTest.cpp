// The replace dialog: every occurrence replaced in one forward pass, the count
// reported, the dialog kept while the editor lives.
#include "EditorSession.h"
#include "TestFiles.h"
#include "gui/base/TextPane.h"
#include "gui/editor/HenkanFrm.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace talmir;

class HenkanFrmTest : public QObject {
    Q_OBJECT

private:
    using Session = talmir::testing::EditorSession;

private slots:
    void replacesEveryOccurrence_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("longer replacement") << QByteArray("X1X2") << "X"
                                            << "X-" << QByteArray("X-1X-2") << 2;
        QTest::newRow("found inside a partial match") << QByteArray("aaab") << "aab"
                                                      << "Z" << QByteArray("aZ") << 1;
        QTest::newRow("empty replacement deletes") << QByteArray("G01 X1 G01") << "G01 "
                                                   << "" << QByteArray("X1 G01") << 1;
        QTest::newRow("empty search text replaces nothing") << QByteArray("G01") << ""
                                                            << "X" << QByteArray("G01") << 0;
        QTest::newRow("double-byte characters")
            << QByteArray("(\x8a\xbf\x8e\x9a)") << QStringLiteral("漢字") << "KANJI"
            << QByteArray("(KANJI)") << 1;
        QTest::newRow("bytes that are not Shift-JIS pass through") << QByteArray(
                                                                          "\xff"
                                                                          "A\x80"
                                                                          "A\xfd\r\n\x81\r\nA")
                                                                   << "A"
                                                                   << "B"
                                                                   << QByteArray(
                                                                          "\xff"
                                                                          "B\x80"
                                                                          "B\xfd\r\n\x81\r\nB")
                                                                   << 3;
        QTest::newRow("lone LF line ends become CR LF")
            << QByteArray("G00\nG01\n") << "G01"
            << "G02" << QByteArray("G00\r\nG02\r\n") << 1;
        QTest::newRow("a character Shift-JIS cannot hold matches nothing")
            << QByteArray("G01?") << QStringLiteral("😀") << "X" << QByteArray("G01?") << 0;
    }

    void replacesEveryOccurrence() {
        QFETCH(QByteArray, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QByteArray, result);
        QFETCH(int, count);
        Session s;
        s.frm->pane().setShiftJis(text.toStdString());
        HenkanFrm& dialog = MnuHenkan_Click(*s.frm);
        dialog.searchText().setText(find);
        dialog.replacementText().setText(replacement);
        QTest::mouseClick(&dialog.executeButton(), Qt::LeftButton);
        QCOMPARE(QByteArray::fromStdString(s.frm->pane().shiftJis()), result);
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("[ %1 ]個を変換しました。").arg(count)});
        // The work files go when the command ends.
        QVERIFY(!QFile::exists(s.scratch.appFile("bak.dat")));
        QVERIFY(!QFile::exists(s.scratch.appFile("bak1.dat")));
    }

    void aTextThatCannotBeShownStaysUnchanged() {
        Session s;
        const testing::LoweredLineLimit limit(64 * 1024);
        // Deleting every line end would make one line too long for the pane.
        const std::string longText(TextPane::maxLineBytes() / 2, 'X');
        const std::string text = longText + "\r\n" + longText + "\r\nX";
        s.frm->pane().setShiftJis(text);
        HenkanFrm& dialog = MnuHenkan_Click(*s.frm);
        dialog.searchText().setText("\r\n");
        dialog.Command2_Click();
        QCOMPARE(s.frm->pane().shiftJis().size(), text.size());
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY(!s.dialogs.messages[0].text.contains(QStringLiteral("変換しました")));
    }

    void reopeningKeepsOneModelessDialog() {
        Session s;
        s.frm->show();
        HenkanFrm& first = MnuHenkan_Click(*s.frm);
        QVERIFY(first.isVisible());
        QVERIFY(!first.isModal());
        first.searchText().setText("G01");
        first.setWindowTitle("changed");
        QVERIFY(s.frm->action("MnuHenkan_Click")->isEnabled());
        s.frm->action("MnuHenkan_Click")->trigger();
        HenkanFrm& second = *s.frm->findChild<HenkanFrm*>();
        QCOMPARE(&second, &first);
        QVERIFY(second.isVisible());
        QCOMPARE(second.windowTitle(), QStringLiteral("置換"));
        QCOMPARE(second.searchText().text(), QStringLiteral("G01"));
        // The editor stays usable while the dialog is open.
        s.frm->pane().setShiftJis("G01G01");
        second.replacementText().setText("G1");
        second.Command2_Click();
        QCOMPARE(s.frm->pane().shiftJis(), std::string("G1G1"));
    }
};

QTEST_MAIN(HenkanFrmTest)
#include "HenkanFrmTest.moc"
