// The code editor: the 16 x 16 grid of a table file, the hexadecimal-only boxes,
// saving and deleting tables with their messages.
#include "EditorSession.h"
#include "TestFiles.h"
#include "core/editor/CodeTable.h"
#include "gui/editor/CvFrm.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

class CvFrmTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        QString table(const QString& name) const { return scratch.appFile("CVTBL/" + name); }
    };

    static QByteArray identity() { return QByteArray::fromStdString(editor::identityCodeTable()); }

private slots:
    void firstStartOffersTheIdentityTable() {
        Session s;
        CvFrm dialog(*s.frm);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("コードエディタ"));
        QCOMPARE(dialog.nameBox().count(), 1);
        QCOMPARE(dialog.nameBox().currentText(), QStringLiteral("ASCII"));
        // Row = high digit, column = low digit.
        QCOMPARE(dialog.box(0x41).text(), QStringLiteral("41"));
        QCOMPARE(dialog.box(0xF0).text(), QStringLiteral("F0"));
        QVERIFY(dialog.box(0x41).isReadOnly());
        QVERIFY(!dialog.editCheck().isChecked());
    }

    void tablesAreListedAndLoadedOnChoice() {
        Session s;
        QDir().mkpath(s.table(""));
        writeBytes(s.table("A2a"), identity());
        // A short, damaged table fills the boxes as far as it goes.
        writeBytes(s.table("B"), "1,2,zz\r\n");
        CvFrm dialog(*s.frm);
        QCOMPARE(dialog.nameBox().count(), 2);
        QCOMPARE(dialog.nameBox().currentText(), QStringLiteral("A2a"));
        dialog.editCheck().click();
        dialog.nameBox().setCurrentIndex(1);
        dialog.Combo1_Click();
        QCOMPARE(dialog.box(0x00).text(), QStringLiteral("1"));
        QCOMPARE(dialog.box(0x10).text(), QStringLiteral("2"));
        QCOMPARE(dialog.box(0x20).text(), QStringLiteral("zz"));
        QCOMPARE(dialog.box(0x01).text(), QStringLiteral("0"));
        QVERIFY(!dialog.editCheck().isChecked());
        QVERIFY(dialog.box(0x00).isReadOnly());
    }

    void boxesTakeHexadecimalDigitsOnly() {
        Session s;
        CvFrm dialog(*s.frm);
        QLineEdit& box = dialog.box(0x41);
        QTest::keyClicks(&box, "7");
        QCOMPARE(box.text(), QStringLiteral("41"));  // read-only until editing is ticked
        dialog.editCheck().click();
        QVERIFY(!box.isReadOnly());
        box.setText(QString());
        QTest::keyClicks(&box, "G-6 1a");
        QCOMPARE(box.text(), QStringLiteral("61a"));
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QStringLiteral("61a"));
        QTest::keyClick(&box, Qt::Key_Left);
        QTest::keyClick(&box, Qt::Key_Delete);
        QCOMPARE(box.text(), QStringLiteral("61"));
        dialog.editCheck().click();
        QVERIFY(box.isReadOnly());
    }

    void savedEditConvertsCapitalA() {
        Session s;
        CvFrm dialog(*s.frm);
        dialog.editCheck().click();
        dialog.box(0x41).setText("61");
        dialog.nameBox().setEditText("lower");
        dialog.Command1_Click(0);
        QCOMPARE(s.dialogs.messageTexts(), QStringList{QStringLiteral("lower を登録しました。")});
        QCOMPARE(dialog.nameBox().count(), 2);
        const QByteArray file = readBytes(s.table("lower"));
        const QList<QByteArray> lines = file.split('\n');
        QCOMPARE(lines.size(), 17);  // 16 lines, each ended by CR LF
        QCOMPARE(lines[1].split(',')[4], QByteArray("61"));
        QCOMPARE(lines[1].split(',')[5], QByteArray("51"));
        auto table = editor::readCodeTable(file.toStdString());
        QVERIFY(table.ok());
        QCOMPARE(editor::applyCodeTable("AAA", table.value()), std::string("aaa"));
        // Saving again under a listed name adds no second entry.
        dialog.Command1_Click(0);
        QCOMPARE(dialog.nameBox().count(), 2);
    }

    void saveFailuresAreReported_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("removeFolder");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing folder")
            << "new" << true << "ERrNumbER=76\r\nパスが見つかりません。";
        QTest::newRow("empty name") << "" << false << "ERrNumbER=75\r\nパス名が無効です。";
        QTest::newRow("name leading out of the folder")
            << "../escape" << false << "ERrNumbER=75\r\nパス名が無効です。";
    }

    void saveFailuresAreReported() {
        QFETCH(QString, name);
        QFETCH(bool, removeFolder);
        QFETCH(QString, message);
        Session s;
        CvFrm dialog(*s.frm);
        if (removeFolder) {
            QVERIFY(QDir(s.table("")).removeRecursively());
        }
        dialog.nameBox().setEditText(name);
        dialog.Command1_Click(0);
        QCOMPARE(s.dialogs.messageTexts(), QStringList{message});
        QCOMPARE(dialog.nameBox().count(), 1);
        QVERIFY(!QFile::exists(s.scratch.appFile("escape")));
    }

    void deleteAsksFirst() {
        Session s;
        QDir().mkpath(s.table(""));
        writeBytes(s.table("old"), identity());
        writeBytes(s.table("keep"), identity());
        CvFrm dialog(*s.frm);
        dialog.nameBox().setCurrentText("old");
        s.dialogs.yesNo = {false, true};
        dialog.Command1_Click(1);
        QVERIFY(QFile::exists(s.table("old")));
        dialog.Command1_Click(1);
        QCOMPARE(s.dialogs.questions, QStringList(2, QStringLiteral("old を削除してよいですか。")));
        QVERIFY(!QFile::exists(s.table("old")));
        QCOMPARE(dialog.nameBox().findText("old"), -1);
        QCOMPARE(dialog.nameBox().count(), 1);
        QVERIFY(s.dialogs.messages.empty());
        // Deleting a table that is gone reports it.
        s.dialogs.yesNo = {true};
        dialog.nameBox().setEditText("old");
        dialog.Command1_Click(1);
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("ERrNumbER=53\r\nファイルが見つかりません。")});
    }

    void emptyFolderThatCannotBeFilledOpensBlank() {
        Session s;
        // A file where the folder should be: no table can be listed or made.
        writeBytes(s.scratch.appFile("CVTBL"), "not a folder");
        CvFrm dialog(*s.frm);
        QCOMPARE(dialog.nameBox().count(), 0);
        QCOMPARE(dialog.nameBox().currentText(), QString());
        QCOMPARE(dialog.box(0x41).text(), QStringLiteral("0"));
    }

    void menuShowsTheEditorModally() {
        Session s;
        s.frm->show();
        QString title;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            title = dialog->windowTitle();
            dialog->close();
        });
        s.frm->action("MnuCvED_Click")->trigger();
        QCOMPARE(title, QStringLiteral("コードエディタ"));
    }
};

QTEST_MAIN(CvFrmTest)
#include "CvFrmTest.moc"
