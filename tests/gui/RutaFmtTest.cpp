// The router import of the editor: its options dialog Ruta_FMT, the G-code window
// it fills, and that the editor keeps its text whatever happens.
#include "EditorSession.h"
#include "gui/base/TextPane.h"
#include "gui/import/EditFrmLuter.h"
#include "gui/import/Ruta_FMT.h"
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
        auto* dialog = dynamic_cast<Ruta_FMT*>(widget);
        QVERIFY(dialog != nullptr);
        if (title) {
            *title = dialog->windowTitle();
        }
        dialog->Option1(unit).click();
        dialog->Option2(incremental ? 1 : 0).click();
        (ok ? dialog->command3() : dialog->command2()).click();
    });
}

const QByteArray kRouter = "G00X1000Y1000\r\nZ-100\r\nX5000Y1000\r\nZ100\r\nX0Y0\r\nM30\r\n";

}  // namespace

class RutaFmtTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        Session() {
            setPane(frm->pane(), kRouter);
            frm->setDocumentName(QStringLiteral("board.outline.rou"));
        }
        QByteArray editorBytes() { return bytesOf(frm->pane().shiftJis()); }
    };

private slots:
    void dialogShowsItsControls() {
        Ruta_FMT dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" ルーターフォーマット"));
        const QStringList units{"1.23", "123", "1230"};
        for (int i = 0; i < units.size(); ++i) {
            QCOMPARE(dialog.Option1(i).text(), units[i]);
            QCOMPARE(dialog.Option1(i).isChecked(), i == 2);
        }
        QCOMPARE(dialog.Option2(0).text(), QStringLiteral("ABS"));
        QCOMPARE(dialog.Option2(1).text(), QStringLiteral("INC"));
        QVERIFY(dialog.Option2(0).isChecked());
        QCOMPARE(dialog.command3().text(), QStringLiteral("実行"));
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
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("thousandths, absolute")
            << 2 << false << QByteArray("D10\r\nG00X1.0Y1.0\r\nG01X5.0Y1.0\r\nG00X0.0Y0.0\r\n");
        QTest::newRow("hundredths, incremental")
            << 1 << true
            << QByteArray("D10\r\nG00X10.0Y10.0\r\nG01X60.0Y20.0\r\nG00X60.0Y20.0\r\n");
    }

    void okFillsTheGcodeWindow() {
        QFETCH(int, unit);
        QFETCH(bool, incremental);
        QFETCH(QByteArray, expected);
        Session s;
        QVERIFY(s.frm->action("MnuLuter_Click")->isEnabled());
        QString title;
        answerDialog(unit, incremental, true, &title);
        s.frm->action("MnuLuter_Click")->trigger();
        QCOMPARE(title, QStringLiteral(" ルーターフォーマット"));
        GFrm* g = GFrm::find(*s.frm);
        QVERIFY(g != nullptr);
        QVERIFY(g->isVisible());
        QVERIFY(!g->isTreeView());
        // The whole document name, not cut at its first ".".
        QCOMPARE(g->windowTitle(), QStringLiteral("board.outline.rou"));
        QCOMPARE(bytesOf(g->pane().shiftJis()), expected);
        QCOMPARE(s.editorBytes(), kRouter);
        QVERIFY(s.dialogs.messages.empty());
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK.DAT"))));
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK1.DAT"))));
    }

    void theTreeViewTurnsToText() {
        Session s;
        GFrm& g = GFrm::of(*s.frm);
        QVERIFY(g.TextOrTree(1));
        answerDialog(2, false, true);
        MnuLuter_Click(*s.frm);
        QVERIFY(!g.isTreeView());
        QVERIFY(bytesOf(g.pane().shiftJis()).endsWith("G00X0.0Y0.0\r\n"));
    }

    void cancelChangesNothing() {
        Session s;
        GFrm& g = GFrm::of(*s.frm);
        setPane(g.pane(), "(kept)\r\nG01X1.Y1.");
        g.setWindowTitle(QStringLiteral("before"));
        answerDialog(0, true, false);
        MnuLuter_Click(*s.frm);
        QCOMPARE(bytesOf(g.pane().shiftJis()), QByteArray("(kept)\r\nG01X1.Y1."));
        QCOMPARE(g.windowTitle(), QStringLiteral("before"));
        QVERIFY(!g.isVisible());
        QCOMPARE(s.editorBytes(), kRouter);
        QVERIFY(s.dialogs.messages.empty());

        // The next opening starts from the defaults again.
        whenModal([](QWidget* widget) {
            auto* dialog = dynamic_cast<Ruta_FMT*>(widget);
            QVERIFY(dialog != nullptr);
            QVERIFY(dialog->Option1(2).isChecked());
            QVERIFY(dialog->Option2(0).isChecked());
            dialog->reject();  // the window's close box
        });
        MnuLuter_Click(*s.frm);
        QCOMPARE(bytesOf(g.pane().shiftJis()), QByteArray("(kept)\r\nG01X1.Y1."));
    }

    void failureIsReportedOnceAndKeepsBothTexts() {
        Session s;
        const QByteArray bad = "X0Y0\r\nG02X10000Y0R1000\r\n";
        setPane(s.frm->pane(), bad);
        GFrm& g = GFrm::of(*s.frm);
        setPane(g.pane(), "(kept)");
        answerDialog(2, false, true);
        MnuLuter_Click(*s.frm);
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(s.dialogs.messages.front().text,
                 QStringLiteral("エラー番号 : 5\nプロシージャの呼び出し、または引数が不正です。"));
        QCOMPARE(s.dialogs.messages.front().icon, MessageIcon::Warning);
        QCOMPARE(bytesOf(g.pane().shiftJis()), QByteArray("(kept)"));
        QVERIFY(!g.isVisible());
        QCOMPARE(s.editorBytes(), bad);
    }
};

QTEST_MAIN(RutaFmtTest)
#include "RutaFmtTest.moc"
