// The control-character dialog: line ends or any typed text replaced or deleted,
// with the full pattern length taken before every comparison.
#include "EditorSession.h"
#include "TestFiles.h"
#include "gui/base/TextPane.h"
#include "gui/editor/SeiGyoHenkan.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QtTest>

using namespace talmir;

class SeiGyoHenkanTest : public QObject {
    Q_OBJECT

private:
    using Session = talmir::testing::EditorSession;

private slots:
    void boxesOfferTheKeywords() {
        Session s;
        SeiGyoHenkan dialog(*s.frm);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("制御文字変換"));
        for (QComboBox* box : {&dialog.findBox(), &dialog.replacementBox(), &dialog.deleteBox()}) {
            QCOMPARE(box->currentText(), QStringLiteral("CrLf"));
            QCOMPARE(box->count(), 3);
            QCOMPARE(box->itemText(1), QStringLiteral("Cr"));
            QCOMPARE(box->itemText(2), QStringLiteral("Lf"));
            QVERIFY(box->isEditable());
        }
    }

    void convertsTheDocument_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("delete CrLf joins the lines")
            << QByteArray("G00\r\nG01\r\nM30") << 2 << "CrLf"
            << "" << QByteArray("G00G01M30") << "[ 2 ]個を削除しました。";
        QTest::newRow("Cr by Lf doubles the line feeds")
            << QByteArray("A\r\nB\r\n") << 1 << "Cr"
            << "Lf" << QByteArray("A\n\nB\n\n") << "[ 2 ]個を変換しました。";
        QTest::newRow("Lf by CrLf")
            << QByteArray("A\r\nB") << 1 << "Lf"
            << "CrLf" << QByteArray("A\r\r\nB") << "[ 1 ]個を変換しました。";
        QTest::newRow("found after a partial match")
            << QByteArray("axabc") << 1 << "abc"
            << "Z" << QByteArray("axZ") << "[ 1 ]個を変換しました。";
        QTest::newRow("typed text deletes literally")
            << QByteArray("%\r\nO1000\r\n%") << 2 << "%"
            << "" << QByteArray("\r\nO1000\r\n") << "[ 2 ]個を削除しました。";
        QTest::newRow("keywords are case-sensitive")
            << QByteArray("crlf\r\n") << 2 << "crlf"
            << "" << QByteArray("\r\n") << "[ 1 ]個を削除しました。";
        QTest::newRow("bytes that are not Shift-JIS pass through")
            << QByteArray("\x81\r\n\xff%") << 2 << "%"
            << "" << QByteArray("\x81\r\n\xff") << "[ 1 ]個を削除しました。";
        QTest::newRow("double-byte text")
            << QByteArray("\x8a\xbf\x8e\x9a\r\n") << 1 << QStringLiteral("漢字") << "KJ"
            << QByteArray("KJ\r\n") << "[ 1 ]個を変換しました。";
    }

    void convertsTheDocument() {
        QFETCH(QByteArray, text);
        QFETCH(int, index);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QByteArray, result);
        QFETCH(QString, message);
        Session s;
        s.frm->pane().setShiftJis(text.toStdString());
        SeiGyoHenkan dialog(*s.frm);
        (index == 1 ? dialog.findBox() : dialog.deleteBox()).setEditText(find);
        dialog.replacementBox().setEditText(replacement);
        dialog.Command1_Click(index);
        QCOMPARE(QByteArray::fromStdString(s.frm->pane().shiftJis()), result);
        QCOMPARE(s.dialogs.messageTexts(), QStringList{message});
        QVERIFY(!QFile::exists(s.scratch.appFile("bak.rtf")));
        QVERIFY(!QFile::exists(s.scratch.appFile("bak1.rtf")));
    }

    void otherIndexDoesNothing() {
        Session s;
        s.frm->pane().setShiftJis("A\r\nB");
        SeiGyoHenkan dialog(*s.frm);
        dialog.Command1_Click(0);
        dialog.Command1_Click(3);
        QCOMPARE(s.frm->pane().shiftJis(), std::string("A\r\nB"));
        QVERIFY(s.dialogs.messages.empty());
    }

    void failureLeavesTheDocumentAndReports() {
        Session s;
        const testing::LoweredLineLimit limit(64 * 1024);
        const std::string half(TextPane::maxLineBytes() / 2 + 1, 'X');
        const std::string text = half + "\r\n" + half;
        s.frm->pane().setShiftJis(text);
        SeiGyoHenkan dialog(*s.frm);
        dialog.Command1_Click(2);  // joining the lines gives a line the pane refuses
        QCOMPARE(s.frm->pane().shiftJis().size(), text.size());
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY(!s.dialogs.messages[0].text.contains(QStringLiteral("削除しました")));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void menuShowsTheDialogModally() {
        Session s;
        s.frm->show();
        QString title;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            title = dialog->windowTitle();
            modal = dialog->isModal();
            dialog->close();
        });
        QVERIFY(s.frm->action("MnuSeigyo_Click")->isEnabled());
        s.frm->action("MnuSeigyo_Click")->trigger();
        QCOMPARE(title, QStringLiteral("制御文字変換"));
        QVERIFY(modal);
    }
};

QTEST_MAIN(SeiGyoHenkanTest)
#include "SeiGyoHenkanTest.moc"
