// The code conversion dialog: the editor's text or a file through a table, the
// preview, and the output into the editor or to a file.
#include "EditorSession.h"
#include "TestFiles.h"
#include "core/app/WindowBounds.h"
#include "core/editor/CodeTable.h"
#include "gui/base/TextPane.h"
#include "gui/editor/ConvFrm.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

class ConvFrmTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        Session() {
            QDir().mkpath(scratch.appFile("CVTBL"));
            writeBytes(table("ASCII"), QByteArray::fromStdString(editor::identityCodeTable()));
            writeBytes(table("lower"), lowerTable());
        }
        QString table(const QString& name) const { return scratch.appFile("CVTBL/" + name); }
    };

    // The identity table with A (line 1, field 4) mapped to a.
    static QByteArray lowerTable() {
        editor::CodeBoxes boxes = editor::loadCodeBoxes(editor::identityCodeTable());
        boxes[0x41] = "61";
        return QByteArray::fromStdString(editor::writeCodeBoxes(boxes));
    }

    static void choose(ConvFrm& dialog, const QString& table) {
        const auto items = dialog.tableList().findItems(table, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        dialog.tableList().setCurrentItem(items.front());
    }

    static QByteArray preview(ConvFrm& dialog) {
        return QByteArray::fromStdString(dialog.preview().shiftJis());
    }

private slots:
    void opensWithTheTablesAndNothingToWrite() {
        Session s;
        ConvFrm dialog(*s.frm);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("コード変換"));
        QCOMPARE(dialog.tableList().count(), 2);
        QVERIFY(dialog.option(0).isChecked());
        QVERIFY(!dialog.browseButton().isEnabled());
        QVERIFY(dialog.pathBox().isReadOnly());
        QVERIFY(!dialog.command2(0).isEnabled());
        QVERIFY(dialog.outputPanel().isHidden());
        QCOMPARE(dialog.size(), QSize(app::twipsToPixels(7455, dialog.logicalDpiX()),
                                      app::twipsToPixels(4095, dialog.logicalDpiY())));
    }

    void convertsTheEditorTextAsItWasOnOpening() {
        Session s;
        s.frm->pane().setShiftJis("AAA\r\nBAB");
        ConvFrm dialog(*s.frm);
        s.frm->pane().setShiftJis("changed later");
        choose(dialog, "lower");
        QCOMPARE(preview(dialog), QByteArray("aaa\r\nBaB"));
        QCOMPARE(readBytes(s.scratch.appFile("bak1.dat")), QByteArray("aaa\r\nBaB"));
        QVERIFY(dialog.command2(0).isEnabled());
        choose(dialog, "ASCII");
        QCOMPARE(preview(dialog), QByteArray("AAA\r\nBAB"));
        // Into the editor.
        dialog.command2(0).click();
        QVERIFY(!dialog.outputPanel().isHidden());
        dialog.command3(2).click();
        QVERIFY(dialog.outputPanel().isHidden());
        choose(dialog, "lower");
        dialog.command3(0).click();
        QCOMPARE(s.frm->pane().shiftJis(), std::string("aaa\r\nBaB"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(s.dialogs.messages.empty());
    }

    void convertsAFileToAFile() {
        Session s;
        const QString source = s.scratch.path("in.nc");
        const QString target = s.scratch.path("out.nc");
        // Line ends and bytes above 0x7F go through the table one byte at a time.
        writeBytes(source, "A\r\n\x8a\xbf\xff");
        s.frm->pane().setShiftJis("EDITOR");
        ConvFrm dialog(*s.frm);
        dialog.option(1).click();
        QVERIFY(dialog.browseButton().isEnabled());
        QVERIFY(!dialog.pathBox().isReadOnly());
        s.dialogs.files.push_back(source);
        dialog.browseButton().click();
        QCOMPARE(dialog.pathBox().text(), source);
        choose(dialog, "lower");
        QCOMPARE(preview(dialog), QByteArray("a\r\n\x8a\xbf\xff"));
        s.dialogs.files.push_back(target);
        dialog.command3(1).click();
        QCOMPARE(readBytes(target), QByteArray("a\r\n\x8a\xbf\xff"));
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{target + QStringLiteral("\r\nファイルを保存しました。")});
        QCOMPARE(s.dialogs.fileRequests.back().filter, QStringLiteral("全てのﾌｧｲﾙ(*.*)|*.*"));
        QVERIFY(s.dialogs.saveDialogs.back());  // a new file can be named
        QCOMPARE(s.frm->pane().shiftJis(), std::string("EDITOR"));
    }

    void lineEndsMappedAwayLeaveOneLine() {
        Session s;
        editor::CodeBoxes boxes = editor::loadCodeBoxes(editor::identityCodeTable());
        boxes[0x0D] = "20";
        boxes[0x0A] = "2F";
        writeBytes(s.table("noeol"), QByteArray::fromStdString(editor::writeCodeBoxes(boxes)));
        s.frm->pane().setShiftJis("G00\r\nM30");
        ConvFrm dialog(*s.frm);
        choose(dialog, "noeol");
        QCOMPARE(preview(dialog), QByteArray("G00 /M30"));
    }

    void badTablesStopTheConversion_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("message");
        QByteArray identity = QByteArray::fromStdString(editor::identityCodeTable());
        QTest::newRow("empty field")
            << QByteArray(identity).replace("41,", ",") << "エラー番号 : 13\n型が一致しません。";
        QTest::newRow("not hexadecimal")
            << QByteArray(identity).replace("41,", "4G,") << "エラー番号 : 13\n型が一致しません。";
        QTest::newRow("three digits") << QByteArray(identity).replace("41,", "041,")
                                      << "エラー番号 : 6\nオーバーフローしました。";
        QTest::newRow("fewer than 256 fields")
            << identity.left(identity.size() - 8)
            << "エラー番号 : 62\nファイルにこれ以上データがありません。";
    }

    void badTablesStopTheConversion() {
        QFETCH(QByteArray, table);
        QFETCH(QString, message);
        Session s;
        writeBytes(s.table("bad"), table);
        s.frm->pane().setShiftJis("AAA");
        ConvFrm dialog(*s.frm);
        choose(dialog, "lower");
        choose(dialog, "bad");
        QCOMPARE(s.dialogs.messageTexts(), QStringList{message});
        // The last good result stays what "実行" writes.
        QCOMPARE(preview(dialog), QByteArray("aaa"));
        dialog.command3(0).click();
        QCOMPARE(s.frm->pane().shiftJis(), std::string("aaa"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void missingSources() {
        Session s;
        ConvFrm dialog(*s.frm);
        dialog.option(1).click();
        // An empty path does nothing.
        choose(dialog, "lower");
        QVERIFY(s.dialogs.messages.empty());
        // A missing file is reported; a missing folder is passed over.
        dialog.pathBox().setText(s.scratch.path("none.nc"));
        dialog.List1_Click();
        dialog.pathBox().setText(s.scratch.path("nowhere/none.nc"));
        dialog.List1_Click();
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("エラー番号 : 53\nファイルが見つかりません。")});
        QVERIFY(!dialog.command2(0).isEnabled());
        // A table removed after opening is reported the same way.
        QFile::remove(s.table("ASCII"));
        dialog.option(0).click();
        choose(dialog, "ASCII");
        QCOMPARE(s.dialogs.messages.size(), std::size_t{2});
        QCOMPARE(s.dialogs.messages.back().text, s.dialogs.messages.front().text);
    }

    void cancelledOutputDialogKeepsTheDialogOpen() {
        Session s;
        s.frm->pane().setShiftJis("A");
        ConvFrm dialog(*s.frm);
        dialog.show();
        choose(dialog, "lower");
        dialog.command2(0).click();
        dialog.command3(1).click();
        QCOMPARE(s.dialogs.unanswered, 1);
        QVERIFY(s.dialogs.messages.empty());
        QVERIFY(dialog.isVisible());
    }

    void closingDeletesTheWorkFiles() {
        Session s;
        writeBytes(s.scratch.appFile("bak.rtf"), "x");
        writeBytes(s.scratch.appFile("bak1.rtf"), "x");
        s.frm->pane().setShiftJis("A");
        {
            ConvFrm dialog(*s.frm);
            dialog.show();
            choose(dialog, "lower");
            dialog.command2(1).click();
            QVERIFY(!dialog.isVisible());
        }
        QVERIFY(!QFile::exists(s.scratch.appFile("bak.rtf")));
        QVERIFY(!QFile::exists(s.scratch.appFile("bak1.rtf")));
        QCOMPARE(readBytes(s.scratch.appFile("bak1.dat")), QByteArray("a"));
    }

    void ctrlKeysDoNothingInThePreview() {
        Session s;
        s.frm->pane().setShiftJis("A");
        ConvFrm dialog(*s.frm);
        dialog.show();
        choose(dialog, "lower");
        dialog.preview().setFocus();
        QTest::keyClick(&dialog.preview(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&dialog.preview(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(preview(dialog), QByteArray("a"));
        QTest::keyClick(&dialog.preview(), Qt::Key_B);
        QCOMPARE(preview(dialog).size(), 2);
    }

    void menuShowsTheDialogModally() {
        Session s;
        s.frm->show();
        QString title;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            title = dialog->windowTitle();
            dialog->close();
        });
        s.frm->action("MnuCv_Click")->trigger();
        QCOMPARE(title, QStringLiteral("コード変換"));
    }
};

QTEST_MAIN(ConvFrmTest)
#include "ConvFrmTest.moc"
