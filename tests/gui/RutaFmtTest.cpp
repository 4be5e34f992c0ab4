// The router import of the editor: its options dialog Ruta_FMT, the G-code
// window it fills, and that the editor keeps its text whatever happens.
#include "EditorSession.h"
#include "UnitModeImport.h"
#include "gui/import/EditFrmLuter.h"
#include "gui/import/Ruta_FMT.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QtTest>

using namespace talmir;
using namespace talmir::testing;

namespace {

const QByteArray kRouter = "G00X1000Y1000\r\nZ-100\r\nX5000Y1000\r\nZ100\r\nX0Y0\r\nM30\r\n";

const UnitModeImport kImport = unitModeImport<Ruta_FMT>(&MnuLuter_Click, &Ruta_FMT::command3);

struct Session : EditorSession {
    Session() {
        setPane(frm->pane(), kRouter);
        frm->setDocumentName(QStringLiteral("board.outline.rou"));
    }
};

}  // namespace

class RutaFmtTest : public QObject {
    Q_OBJECT

private slots:
    void dialogShowsItsControls() {
        Ruta_FMT dialog;
        checkUnitModeControls(dialog, dialog.command3(), QStringLiteral(" ルーターフォーマット"),
                              {"1.23", "123", "1230"});
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
        // The whole document name, not cut at its first ".".
        expectGcodeWindowFilled(
            kImport, s, [&] { s.frm->action("MnuLuter_Click")->trigger(); }, unit, incremental,
            QStringLiteral(" ルーターフォーマット"), QStringLiteral("board.outline.rou"), expected);
    }

    void theTreeViewTurnsToText() {
        Session s;
        expectTreeViewTurnsToText(kImport, s, "G00X0.0Y0.0\r\n");
    }

    void cancelChangesNothing() {
        Session s;
        expectCancelChangesNothing(kImport, s);
    }

    void failureIsReportedOnceAndKeepsBothTexts() {
        Session s;
        expectFailureReportedOnce(
            kImport, s, "X0Y0\r\nG02X10000Y0R1000\r\n",
            QStringLiteral("エラー番号 : 5\nプロシージャの呼び出し、または引数が不正です。"));
    }
};

QTEST_MAIN(RutaFmtTest)
#include "RutaFmtTest.moc"
