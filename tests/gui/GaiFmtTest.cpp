// The Gerber import of the editor: its options dialog GAI_FMT, the G-code window
// it fills, and that the editor keeps its text whatever happens.
#include "EditorSession.h"
#include "gui/base/TextPane.h"
#include "gui/import/EditFrmGbrFmt.h"
#include "gui/import/GAI_FMT.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace talmir;

namespace {

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void setPane(TextPane& pane, const QByteArray& bytes) {
    pane.setShiftJis(std::string_view(bytes.constData(), bytes.size()));
}

// Runs `act` on the modal dialog once it is up; gives up after a while so that a
// missing dialog fails the test instead of hanging it.
void whenModal(std::function<void(QWidget*)> act, int triesLeft = 200) {
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [act, triesLeft] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            act(dialog);
        } else if (triesLeft > 0) {
            whenModal(act, triesLeft - 1);
        }
    });
}

// Sets the options on the dialog once it shows and presses "実行" (or "ｷｬﾝｾﾙ").
void answerDialog(int unit, bool incremental, bool ok, QString* title = nullptr) {
    whenModal([=](QWidget* widget) {
        auto* dialog = dynamic_cast<GAI_FMT*>(widget);
        QVERIFY(dialog != nullptr);
        if (title) {
            *title = dialog->windowTitle();
        }
        dialog->Option1(unit).click();
        dialog->Option2(incremental ? 1 : 0).click();
        (ok ? dialog->command1() : dialog->command2()).click();
    });
}

const QByteArray kGerber =
    "%FSLAX24Y24*%\r\n%ADD10C,0.010*%\r\nG54D10*\r\nX1000Y1000D02*\r\nX5000Y1000D01*\r\n"
    "X3000Y3000D03*\r\nM02*\r\n";

}  // namespace

class GaiFmtTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        Session() {
            setPane(frm->pane(), kGerber);
            frm->setDocumentName(QStringLiteral("board.top.gbr"));
        }
        QByteArray editorBytes() { return bytesOf(frm->pane().shiftJis()); }
    };

private slots:
    void dialogShowsItsControls() {
        GAI_FMT dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" ガーバーフォーマット"));
        const QStringList units{"1.23", "123", "1230", "12300", "X00123", "X000123", "123000"};
        for (int i = 0; i < units.size(); ++i) {
            QCOMPARE(dialog.Option1(i).text(), units[i]);
            QCOMPARE(dialog.Option1(i).isChecked(), i == 2);
        }
        QCOMPARE(dialog.Option2(0).text(), QStringLiteral("ABS"));
        QCOMPARE(dialog.Option2(1).text(), QStringLiteral("INC"));
        QVERIFY(dialog.Option2(0).isChecked());
        QCOMPARE(dialog.command1().text(), QStringLiteral("実行"));
        QCOMPARE(dialog.command2().text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QStringList frames;
        for (auto* frame : dialog.findChildren<QGroupBox*>()) {
            frames << frame->title();
        }
        QCOMPARE(frames, (QStringList{"入力単位(1.23mm)", "座標形式"}));
        // TALMIR_HOLD_MS keeps the dialog up for a look (or a screenshot) on a display.
        if (const int holdMs = qEnvironmentVariableIntValue("TALMIR_HOLD_MS"); holdMs > 0) {
            dialog.show();
            QTest::qWait(holdMs);
        }
    }

    void okFillsTheGcodeWindow_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("incremental");
        QTest::addColumn<bool>("fromToolButton");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("thousandths, absolute, menu")
            << 2 << false << false
            << QByteArray(
                   "D10\r\nG00X0Y0\r\nG00X0Y0\r\nG00X1.0Y1.0\r\nG01X5.0Y1.0\r\n"
                   "G81X3.0Y3.0\r\n");
        QTest::newRow("hundredths, incremental, tool button")
            << 1 << true << true
            << QByteArray(
                   "D10\r\nG00X0Y0\r\nG00X0Y0\r\nG00X10.0Y10.0\r\nG01X60.0Y20.0\r\n"
                   "G81X90.0Y50.0\r\n");
        QTest::newRow("leading zeros, three integer digits")
            << 4 << false << false
            << QByteArray(
                   "D10\r\nG00X0Y0\r\nG00X0Y0\r\nG00X100.0Y100.0\r\nG01X500.0Y100.0\r\n"
                   "G81X300.0Y300.0\r\n");
    }

    void okFillsTheGcodeWindow() {
        QFETCH(int, unit);
        QFETCH(bool, incremental);
        QFETCH(bool, fromToolButton);
        QFETCH(QByteArray, expected);
        Session s;
        QVERIFY(s.frm->action("MnuGbrFmt_Click")->isEnabled());
        QString title;
        answerDialog(unit, incremental, true, &title);
        if (fromToolButton) {
            s.frm->Toolbar2_ButtonClick(QStringLiteral("GBR"));
        } else {
            s.frm->action("MnuGbrFmt_Click")->trigger();
        }
        QCOMPARE(title, QStringLiteral(" ガーバーフォーマット"));
        GFrm* g = GFrm::find(*s.frm);
        QVERIFY(g != nullptr);
        QVERIFY(g->isVisible());
        QVERIFY(!g->isTreeView());
        QCOMPARE(g->windowTitle(), QStringLiteral("board"));
        QCOMPARE(bytesOf(g->pane().shiftJis()), expected);
        QCOMPARE(s.editorBytes(), kGerber);
        QVERIFY(s.dialogs.messages.empty());
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK.DAT"))));
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK1.DAT"))));
    }

    void theTreeViewTurnsToText() {
        Session s;
        GFrm& g = GFrm::of(*s.frm);
        QVERIFY(g.TextOrTree(1));
        answerDialog(2, false, true);
        MnuGbrFmt_Click(*s.frm);
        QVERIFY(!g.isTreeView());
        QVERIFY(bytesOf(g.pane().shiftJis()).endsWith("G81X3.0Y3.0\r\n"));
    }

    void cancelChangesNothing() {
        Session s;
        GFrm& g = GFrm::of(*s.frm);
        setPane(g.pane(), "(kept)\r\nG01X1.Y1.");
        g.setWindowTitle(QStringLiteral("before"));
        answerDialog(0, true, false);
        MnuGbrFmt_Click(*s.frm);
        QCOMPARE(bytesOf(g.pane().shiftJis()), QByteArray("(kept)\r\nG01X1.Y1."));
        QCOMPARE(g.windowTitle(), QStringLiteral("before"));
        QVERIFY(!g.isVisible());
        QCOMPARE(s.editorBytes(), kGerber);
        QVERIFY(s.dialogs.messages.empty());

        // The next opening starts from the defaults again.
        whenModal([](QWidget* widget) {
            auto* dialog = dynamic_cast<GAI_FMT*>(widget);
            QVERIFY(dialog != nullptr);
            QVERIFY(dialog->Option1(2).isChecked());
            QVERIFY(dialog->Option2(0).isChecked());
            dialog->reject();  // the window's close box
        });
        MnuGbrFmt_Click(*s.frm);
        QCOMPARE(bytesOf(g.pane().shiftJis()), QByteArray("(kept)\r\nG01X1.Y1."));
    }

    void failureIsReportedOnceAndKeepsBothTexts() {
        Session s;
        const QByteArray bad = "D10*X1Y1D01*D10000*X2Y2D01*";
        setPane(s.frm->pane(), bad);
        GFrm& g = GFrm::of(*s.frm);
        setPane(g.pane(), "(kept)");
        answerDialog(2, false, true);
        MnuGbrFmt_Click(*s.frm);
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(s.dialogs.messages.front().text,
                 QStringLiteral("エラー番号 : 380\nプロパティの値が不正です。"));
        QCOMPARE(s.dialogs.messages.front().icon, MessageIcon::Warning);
        QCOMPARE(bytesOf(g.pane().shiftJis()), QByteArray("(kept)"));
        QVERIFY(!g.isVisible());
        QCOMPARE(s.editorBytes(), bad);
    }
};

QTEST_MAIN(GaiFmtTest)
#include "GaiFmtTest.moc"
