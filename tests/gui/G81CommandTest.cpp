// The drilling-cycle commands of the G-code window: their dialogs, the hole data
// they put in the hole-data window, and the node files rewritten with contours,
// each compared with what talmir-convert writes for the same choices.
#include "EditorSession.h"
#include "ModalDialog.h"
#include "TestFiles.h"
#include "gui/base/TextPane.h"
#include "gui/export/GncFrm.h"
#include "gui/export/RaundFrm.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"
#include "gui/windows/NcFrm.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace talmir;
using talmir::testing::bytesOf;
using talmir::testing::goldenBytes;
using talmir::testing::readBytes;
using talmir::testing::whenModalIs;

namespace {

QStringList column(QTableWidget& grid, int index) {
    QStringList texts;
    for (int row = 0; row < grid.rowCount(); ++row) {
        texts << grid.item(row, index)->text();
    }
    return texts;
}

void clickCell(QTableWidget& grid, int row, int column) {
    const QRect cell = grid.visualItemRect(grid.item(row, column));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
}

// Clicks the cell and types `typed` over what the edit box took from it.
void typeInto(QTableWidget& grid, QLineEdit& editor, int row, int column, const QString& typed) {
    clickCell(grid, row, column);
    QVERIFY(editor.isEnabled());
    QCOMPARE(editor.text(), grid.item(row, column)->text());
    editor.clear();
    QTest::keyClicks(&editor, typed);
}

struct Session : talmir::testing::EditorSession {
    GFrm& withProgram(const QByteArray& program) {
        GFrm& g = GFrm::of(*frm);
        g.pane().setShiftJis(std::string_view(program.constData(), program.size()));
        g.setWindowTitle(QStringLiteral("drill"));
        g.show();
        return g;
    }
    QByteArray node(const QString& name) const {
        return readBytes(scratch.appFile(QStringLiteral("Gcode/") + name));
    }
};

}  // namespace

class G81CommandTest : public QObject {
    Q_OBJECT

private slots:
    void holesGoToTheHoleWindowInItsTextView() {
        Session s;
        NcFrm& nc = NcFrm::of(*s.frm);
        nc.pane().setShiftJis("T01C1.0\r\nT01\r\nX1.Y1.");
        nc.show();
        QVERIFY(nc.TextOrTree(1));
        GFrm& g =
            s.withProgram(goldenBytes(QStringLiteral("g81-to-holes/own_kind_with_tools/input")));
        QString title;
        whenModalIs<GncFrm>([&](GncFrm& dialog) {
            title = dialog.windowTitle();
            // (T2) has no G81 line and no row.
            QCOMPARE(column(dialog.grid(), 0), (QStringList{"(T1)", "(T3)"}));
            QCOMPARE(column(dialog.grid(), 1), (QStringList{"T01", "T02"}));
            QCOMPARE(column(dialog.grid(), 2), (QStringList{"1.0", "1.0"}));
            clickCell(dialog.grid(), 0, 0);
            QVERIFY(!dialog.cellEditor().isEnabled());  // names stay as they are
            typeInto(dialog.grid(), dialog.cellEditor(), 0, 2, QStringLiteral(".8"));
            typeInto(dialog.grid(), dialog.cellEditor(), 1, 1, QStringLiteral("5"));
            typeInto(dialog.grid(), dialog.cellEditor(), 1, 2, QStringLiteral("2.5"));
            QCOMPARE(column(dialog.grid(), 1), (QStringList{"T01", "T05"}));
            QCOMPARE(column(dialog.grid(), 2), (QStringList{"0.8", "2.5"}));
            dialog.convertButton().click();
        });
        g.action("MnuG81Nc_Click")->trigger();
        QCOMPARE(title, QStringLiteral("G81をNCﾃﾞｰﾀへ変換"));
        QVERIFY(g.isTreeView());
        QVERIFY(!nc.isTreeView());
        QVERIFY(nc.isVisible());
        QCOMPARE(nc.windowTitle(), QStringLiteral("drill"));
        QCOMPARE(bytesOf(nc.pane().shiftJis()),
                 goldenBytes(QStringLiteral("g81-to-holes/own_kind_with_tools/expected")));
        QVERIFY(s.dialogs.messages.empty());
    }

    // What the pane of the current node shows is what gets converted.
    void anEditedNodeIsConvertedAsShown() {
        Session s;
        GFrm& g = s.withProgram("(T1)\r\nG01X0.Y0.");
        QVERIFY(g.TextOrTree(1));
        g.pane().setShiftJis("G01X0.Y0.\r\nG81X4.Y5.");
        whenModalIs<GncFrm>([](GncFrm& dialog) { dialog.convertButton().click(); });
        g.MnuG81Nc_Click();
        QCOMPARE(bytesOf(NcFrm::of(*s.frm).pane().shiftJis()),
                 QByteArray("T01C1.0\r\nT01\r\nX4.Y5.\r\n"));
    }

    void withoutDrillingSectionsNothingOpens_data() {
        QTest::addColumn<QString>("handler");
        QTest::newRow("hole data") << "MnuG81Nc_Click";
        QTest::newRow("contours") << "MnuG81Raundo_Click";
    }
    void withoutDrillingSectionsNothingOpens() {
        QFETCH(QString, handler);
        Session s;
        const QByteArray program =
            goldenBytes(QStringLiteral("g81-to-holes/no_drilling_section/input"));
        GFrm& g = s.withProgram(program);
        g.action(handler.toStdString())->trigger();
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("変換可能なコマンドが、見つかりませんでした")});
        QVERIFY(NcFrm::find(*s.frm) == nullptr || !NcFrm::find(*s.frm)->isVisible());
        QVERIFY(g.TextOrTree(0));
        QCOMPARE(bytesOf(g.pane().shiftJis()), program);
    }

    void contoursRewriteTheNodesAndThePaneFollows() {
        Session s;
        GFrm& g =
            s.withProgram(goldenBytes(QStringLiteral("g81-contours/square_around_hole/input")));
        QVERIFY(g.TextOrTree(1));  // (T1) is shown in the pane
        QString title;
        whenModalIs<RaundFrm>([&](RaundFrm& dialog) {
            title = dialog.windowTitle();
            QTableWidget& grid = dialog.grid();
            QCOMPARE(column(grid, 0), (QStringList{"(T1)", "(T2)"}));
            QCOMPARE(column(grid, 1), (QStringList{"円形", "円形"}));
            QCOMPARE(column(grid, 2), (QStringList{"2.0", "2.0"}));
            QCOMPARE(column(grid, 3), (QStringList{"1.0", "1.0"}));
            QCOMPARE(column(grid, 5), (QStringList{"0.0", "0.0"}));
            for (int click = 0; click < 3; ++click) {
                clickCell(grid, 0, 1);  // the shape toggles
            }
            QVERIFY(!dialog.cellEditor().isEnabled());
            typeInto(grid, dialog.cellEditor(), 0, 2, QStringLiteral("4"));
            typeInto(grid, dialog.cellEditor(), 0, 3, QStringLiteral("2"));
            typeInto(grid, dialog.cellEditor(), 1, 2, QStringLiteral("3"));
            typeInto(grid, dialog.cellEditor(), 1, 5, QStringLiteral("90"));
            QCOMPARE(column(grid, 1), (QStringList{"角形", "円形"}));
            QCOMPARE(column(grid, 2), (QStringList{"4.0", "3.0"}));
            QCOMPARE(column(grid, 5), (QStringList{"0.0", "90.0"}));
            dialog.convertButton().click();
        });
        g.MnuG81Raundo_Click();
        QCOMPARE(title, QStringLiteral("G81形状変換"));
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(bytesOf(g.pane().shiftJis()), s.node(QStringLiteral("(T1)")));
        // The rebuilt text is the converter's, the pane of (T1) did not go back.
        QVERIFY(g.TextOrTree(0));
        QCOMPARE(bytesOf(g.pane().shiftJis()),
                 goldenBytes(QStringLiteral("g81-contours/square_around_hole/expected")));
    }

    // A row that cannot be converted stops the command with its message; the rows
    // before it stay converted.
    void aFailingRowStopsTheCommand() {
        Session s;
        GFrm& g = s.withProgram("(T1)\r\nG81X1.Y1.\r\n(T2)\r\nG81X2.Y2.\r\n(T3)\r\nG81X3.Y3.");
        whenModalIs<RaundFrm>([](RaundFrm& dialog) {
            typeInto(dialog.grid(), dialog.cellEditor(), 1, 2, QStringLiteral("0"));
            dialog.convertButton().click();
        });
        g.MnuG81Raundo_Click();
        QCOMPARE(s.dialogs.messages.size(), 1u);
        QCOMPARE(s.dialogs.messages.front().title, QStringLiteral("Orvanta_2"));
        QVERIFY(s.node(QStringLiteral("(T1)")).startsWith("G00X1.0Y1.0\r\n"));
        QCOMPARE(s.node(QStringLiteral("(T2)")), QByteArray("G81X2.Y2.\r\n"));
        QCOMPARE(s.node(QStringLiteral("(T3)")), QByteArray("G81X3.Y3.\r\n"));
    }
};

QTEST_MAIN(G81CommandTest)
#include "G81CommandTest.moc"
