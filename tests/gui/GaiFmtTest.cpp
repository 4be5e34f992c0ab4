// The Gerber import of the editor: its options dialog GAI_FMT, the G-code
// window it fills, and that the editor keeps its text whatever happens.
#include "EditorSession.h"
#include "UnitModeImport.h"
#include "gui/import/EditFrmGbrFmt.h"
#include "gui/import/GAI_FMT.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

using namespace talmir;
using namespace talmir::testing;

namespace {

const QByteArray kGerber =
    "%FSLAX24Y24*%\r\n%ADD10C,0.010*%\r\nG54D10*"
    "\r\nX1000Y1000D02*\r\nX5000Y1000D01*\r\n"
    "X3000Y3000D03*\r\nM02*\r\n";

const UnitModeImport kImport = unitModeImport<GAI_FMT>(&MnuGbrFmt_Click, &GAI_FMT::command1);

struct Session : EditorSession {
    Session() {
        setPane(frm->pane(), kGerber);
        frm->setDocumentName(QStringLiteral("board.top.gbr"));
    }
};

}  // namespace

class GaiFmtTest : public QObject {
    Q_OBJECT

private slots:
    void dialogShowsItsControls() {
        GAI_FMT dialog;
        checkUnitModeControls(dialog, dialog.command1(), QStringLiteral(" ガーバーフォーマット"),
                              {"1.23", "123", "1230", "12300", "X00123", "X000123", "123000",
                               "INCH X1.23", "INCH 2.3 LZ", "INCH 2.3 TZ", "INCH 2.4 LZ",
                               "INCH 2.4 TZ", "INCH 3.3 LZ", "INCH 3.3 TZ", "X1230000"},
                              {"入力単位(1.23mm)", "入力単位(1.23inch)", "座標形式"});
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
                   "D10\r\nG00X0Y0\r\nG00X0Y0\r\nG00X100.0Y100.0\r\nG01X500."
                   "0Y100.0\r\n"
                   "G81X300.0Y300.0\r\n");
    }

    void okFillsTheGcodeWindow() {
        QFETCH(int, unit);
        QFETCH(bool, incremental);
        QFETCH(bool, fromToolButton);
        QFETCH(QByteArray, expected);
        Session s;
        QVERIFY(s.frm->action("MnuGbrFmt_Click")->isEnabled());
        const auto open = [&] {
            if (fromToolButton) {
                s.frm->Toolbar2_ButtonClick(QStringLiteral("GBR"));
            } else {
                s.frm->action("MnuGbrFmt_Click")->trigger();
            }
        };
        expectGcodeWindowFilled(kImport, s, open, unit, incremental,
                                QStringLiteral(" ガーバーフォーマット"), QStringLiteral("board"),
                                expected);
    }

    void theTreeViewTurnsToText() {
        Session s;
        expectTreeViewTurnsToText(kImport, s, "G81X3.0Y3.0\r\n");
    }

    void cancelChangesNothing() {
        Session s;
        expectCancelChangesNothing(kImport, s);
    }

    void failureIsReportedOnceAndKeepsBothTexts() {
        Session s;
        expectFailureReportedOnce(kImport, s, "D10*X1Y1D01*D10000*X2Y2D01*",
                                  QStringLiteral("エラー番号 : 380\nプロパティの値が不正です。"));
    }

    void inchDataOpensWithItsOwnFormatAndComesOutInMillimetres() {
        Session s;
        setPane(s.frm->pane(), "%MOIN*%\r\n%FSLAX24Y24*%\r\nD10*\r\nX1000Y-25D03*\r\nM02*\r\n");
        whenModalIs<GAI_FMT>([](GAI_FMT& dialog) {
            QVERIFY(dialog.Option1(11).isChecked());  // INCH 2.4 TZ
            QVERIFY(!dialog.guessLine().isHidden());
            QVERIFY(dialog.guessLine().text().contains(QStringLiteral("FSLAX24Y24")));
            dialog.command1().click();
        });
        MnuGbrFmt_Click(*s.frm);
        QCOMPARE(paneBytes(GFrm::of(*s.frm).pane()),
                 QByteArray("D10\r\nG00X0Y0\r\nG81X2.54Y-0.0635\r\n"));
    }
};

QTEST_MAIN(GaiFmtTest)
#include "GaiFmtTest.moc"
