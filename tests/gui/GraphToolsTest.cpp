// The graphic frame's tools: the docked layer window and coordinate check, the
// line-width tables, the perimeter window, the data-delete mode, and what the
// frame's closing does with them.
#include "EditorSession.h"
#include "GraphSession.h"
#include "ModalDialog.h"
#include "TestFiles.h"
#include "core/graphic/LineWidthTable.h"
#include "core/graphic/Measure.h"
#include "core/import/DxfToGcode.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/AptFrm.h"
#include "gui/graphic/CheckFrm.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/LairFrm.h"
#include "gui/graphic/Leng_Frm.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/graphic/StatFrm.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"
#include "gui/windows/PreflightFrm.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

namespace {

// Two sections: a 10 x 10 square from the origin and, after a rapid move, a
// full circle of radius 5.
const QByteArray kProgram =
    "(SQUARE)\r\nG00X0Y0\r\nG01X10Y0\r\nG01X10Y10\r\nG01X0Y10\r\nG01X0Y0\r\n"
    "(ROUND)\r\nG00X30Y5\r\nG02X30Y5I5J0\r\n";

QString cellText(QTableWidget& grid, int row, int column) {
    const QTableWidgetItem* item = grid.item(row, column);
    return item != nullptr ? item->text() : QString();
}

QByteArray paneBytes(TextPane& pane) {
    const std::string bytes = pane.shiftJis();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Moves the mouse onto the world point (the surface takes the focus) and clicks.
void clickAt(CvGrph& graph, double x, double y, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const QPoint at = graph.toPixel({x, y}).toPoint();
    QTest::mouseMove(&graph, at);
    QTest::mouseClick(&graph, Qt::LeftButton, keys, at);
}

// The lines the check and the trace name and select are the program's own, also
// below a line too long for the pane to show whole.
void addLinesAboveRows() {
    QTest::addColumn<QByteArray>("above");
    QTest::newRow("short lines") << QByteArray();
    QTest::newRow("a long line above") << "(" + QByteArray(20000, 'C') + ")\r\n";
}

}  // namespace

class GraphToolsTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        explicit Session(const QByteArray& program = kProgram) {
            frm->show();
            frame = &talmir::testing::openGraph(*frm, program);
        }
        CvGrph& graph() { return frame->graph(); }
        graphic::PlotTables& tables() { return frm->plotTables(); }
        MDIMarlit* frame = nullptr;
    };

private slots:
    void layerWindowDocksAndEditsTheLayers() {
        Session s;
        s.tables().layers[1].visible = false;  // hidden before: shown again on opening
        s.frame->action("MnuLaiyr")->trigger();
        LairFrm* layers = s.frame->layerWindow();
        QVERIFY(layers != nullptr);
        QCOMPARE(s.frame->dockWidgetArea(layers), Qt::LeftDockWidgetArea);
        QVERIFY(s.frame->action("Toolbar_LAYER")->isChecked());
        QVERIFY(s.tables().layers[1].visible);
        QTableWidget& grid = layers->grid();
        QCOMPARE(grid.horizontalHeaderItem(0)->text(), QStringLiteral("画層名"));
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(cellText(grid, 0, 0), QStringLiteral("(SQUARE)"));
        QCOMPARE(cellText(grid, 1, 1), QStringLiteral("0.000"));
        QCOMPARE(cellText(grid, 1, 3), QStringLiteral("ON"));

        // Hiding a layer takes its lines off the plot.
        // The bottom edge of the square, within a pixel of where it lies.
        QPoint onSquare = s.graph().toPixel({5, 0}).toPoint();
        for (const int dy : {0, -1, 1}) {
            if (s.graph().image().pixelColor(onSquare + QPoint(0, dy)) != QColor(Qt::black)) {
                onSquare += QPoint(0, dy);
                break;
            }
        }
        const QColor drawn = s.graph().image().pixelColor(onSquare);
        QVERIFY(drawn != QColor(Qt::black));
        layers->MSFlexGrid1_Click(0, 3);
        QCOMPARE(cellText(grid, 0, 3), QStringLiteral("OFF"));
        QVERIFY(!s.tables().layers[0].visible);
        QCOMPARE(s.graph().image().pixelColor(onSquare), QColor(Qt::black));
        layers->headerClick(3);  // every row toggles
        QVERIFY(s.tables().layers[0].visible);
        QVERIFY(!s.tables().layers[1].visible);
        QCOMPARE(s.graph().image().pixelColor(onSquare), drawn);

        // Pure black is kept as 1; a negative size is its absolute value; a size
        // past any number is refused.
        s.dialogs.colors.push_back(QColor(Qt::black));
        layers->MSFlexGrid1_Click(0, 2);
        QCOMPARE(s.graph().colours().entries[1], 1.0);
        s.dialogs.inputs.push_back(QStringLiteral("-0.5"));
        layers->MSFlexGrid1_Click(0, 1);
        QCOMPARE(s.tables().layers[0].width, 0.5f);
        QCOMPARE(cellText(grid, 0, 1), QStringLiteral("0.500"));
        s.dialogs.inputs.push_back(QStringLiteral("1e999"));
        layers->MSFlexGrid1_Click(0, 1);
        QCOMPARE(s.tables().layers[0].width, 0.5f);
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});

        // The last layer's colour survives the colour file; the window's state is
        // stored when the frame closes, and the window goes with it.
        s.graph().colours().entries[256] = 4242;
        s.dialogs.yesNoCancel.push_back(Answer::No);
        QVERIFY(s.frame->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(s.frm->findChildren<LairFrm*>().isEmpty());
        QCOMPARE(s.store.getBool("Talmir", "Lairfrm", false), true);
        QVERIFY(s.store.contains("Talmir", "LairWidth"));
        graphic::ColourTable back;
        const QByteArray file = readBytes(s.scratch.appFile(QStringLiteral("LAYER.RGB")));
        graphic::readLayerColours(std::string_view(file.constData(), file.size()), back);
        QCOMPARE(back.entries[256], 4242.0);

        // The next frame opens with the layer window docked again.
        MDIMarlit& again = talmir::testing::openGraph(*s.frm, kProgram);
        QVERIFY(again.layerWindow() != nullptr);
        QVERIFY(again.action("MnuLaiyr")->isChecked());
    }

    void aWidthSetInTheLayerWindowGivesTheOutlinedProgram() {
        Session s;
        s.frame->action("Toolbar_LAYER")->trigger();
        s.dialogs.inputs.push_back(QStringLiteral("2"));
        s.frame->layerWindow()->MSFlexGrid1_Click(0, 1);
        s.dialogs.yesNoCancel.push_back(Answer::Yes);
        QVERIFY(s.frame->close());
        QCOMPARE(s.dialogs.questions,
                 QStringList{QStringLiteral("線幅設定による描画形状をGコードへ置き換えますか")});
        const QByteArray outlines = paneBytes(GFrm::of(*s.frm).pane());
        QVERIFY(outlines.startsWith("(SQUARE)\r\nG00X1.0Y0.0\r\nG02X1.0Y0.0I-1.0J0\r\n"));
    }

    void tablesAreSavedLoadedAppliedAndDeleted() {
        Session s;
        const GraphTools tools = s.frame->tools();
        s.frame->setLayerWindowOpen(true);
        LairFrm& layers = *s.frame->layerWindow();
        s.dialogs.inputs.push_back(QStringLiteral("0.25"));
        layers.MSFlexGrid1_Click(1, 1);
        s.dialogs.colors.push_back(QColor(255, 0, 0));
        layers.MSFlexGrid1_Click(1, 2);

        // "SAVE" fills the editor from the grid; the editor writes the table.
        talmir::testing::whenModalIs<AptFrm>([](AptFrm& editor) {
            QCOMPARE(editor.grid().horizontalHeaderItem(0)->text(), QStringLiteral("画層名"));
            QCOMPARE(editor.records().size(), std::size_t{2});
            editor.fileName().setText(QStringLiteral("../outside"));
            editor.Command_Save();
            editor.fileName().setText(QStringLiteral("board"));
            editor.Command_Save();
            editor.accept();
        });
        layers.Toolbar_ButtonClick(QStringLiteral("SAVE"));
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("outside"))));
        const QByteArray table = readBytes(tools.tableFolder() + QStringLiteral("board"));
        QCOMPARE(table, QByteArray("\"(SQUARE)\",\"0.000\",16711680\r\n"
                                   "\"(ROUND)\",\"0.250\",255\r\n"));
        QCOMPARE(s.dialogs.messageTexts().last(), QStringLiteral("board を登録しました。"));

        // Applied to a new plot by name through "OPEN".
        s.tables().layers[1].width = 0;
        s.graph().colours().entries[2] = 0;
        talmir::testing::whenModalIs<AptLoadFrm>([](AptLoadFrm& loader) {
            QCOMPARE(loader.fileList().count(), 1);
            loader.fileList().setCurrentRow(0);
            loader.Command_Load();
        });
        layers.Toolbar_ButtonClick(QStringLiteral("OPEN"));
        QCOMPARE(s.tables().layers[1].width, 0.25f);
        QCOMPARE(s.graph().colours().layer(1), 255u);
        QCOMPARE(cellText(layers.grid(), 1, 1), QStringLiteral("0.250"));

        // The editor reads a table back and deletes it only on Yes.
        AptFrm editor(tools, s.frame);
        editor.fileList().setCurrentRow(0);
        editor.Command_Load();
        QCOMPARE(editor.grid().horizontalHeaderItem(0)->text(), QStringLiteral("Dｺｰﾄﾞ"));
        QCOMPARE(cellText(editor.grid(), 1, 1), QStringLiteral("0.250"));
        s.dialogs.yesNo.push_back(false);
        editor.Command_Delete();
        QCOMPARE(s.dialogs.questions.last(), QStringLiteral("board を削除してよいですか。"));
        QVERIFY(QFile::exists(tools.tableFolder() + QStringLiteral("board")));
        s.dialogs.yesNo.push_back(true);
        editor.Command_Delete();
        QVERIFY(!QFile::exists(tools.tableFolder() + QStringLiteral("board")));
        QCOMPARE(editor.fileList().count(), 0);
    }

    void perimeterPicksElementsAndContours() {
        Session s;
        s.frame->action("MnuLenge")->trigger();
        Leng_Frm* length = s.frame->lengthWindow();
        QVERIFY(length != nullptr);
        QCOMPARE(length->picture().text(), QStringLiteral("選択周長 : 0.0㎜"));
        length->Toolbar_ButtonClick(QStringLiteral("tansen"));
        QCOMPARE(s.graph().CommandState(), CvGrph::kPickSingleAway);
        clickAt(s.graph(), 5, 0.3);
        QCOMPARE(s.graph().SelectedLength, 10.0f);
        QCOMPARE(length->picture().text(), QStringLiteral("選択周長 : 10.0㎜"));
        // The highlighted line is drawn three pixels wide (the crosshair comes
        // back with the next move of the mouse).
        const QPoint on = s.graph().toPixel({5, 0}).toPoint();
        int drawnRows = 0;
        for (int dy = -3; dy <= 3; ++dy) {
            drawnRows += s.graph().image().pixelColor(on + QPoint(0, dy)) != QColor(Qt::black);
        }
        QCOMPARE(drawnRows, 3);
        clickAt(s.graph(), 5, 0.3);  // once only
        QCOMPARE(s.graph().SelectedLength, 10.0f);
        clickAt(s.graph(), 5, 0.3, Qt::ShiftModifier);
        QCOMPARE(s.graph().SelectedLength, 0.0f);

        length->Toolbar_ButtonClick(QStringLiteral("lenzoku"));
        clickAt(s.graph(), 10, 5);
        QCOMPARE(s.graph().SelectedLength, 40.0f);
        clickAt(s.graph(), 35, 10);
        QVERIFY(std::fabs(s.graph().SelectedLength - (40 + 10 * std::numbers::pi)) < 1e-4);

        // Closing the window ends the picking.
        length->close();
        QCoreApplication::processEvents();
        QCOMPARE(s.graph().CommandState(), CvGrph::kIdle);
        QVERIFY(!s.frame->action("MnuLenge")->isChecked());
        QVERIFY(s.frame->lengthWindow() == nullptr);
    }

    void continuousPicksOfAnImportedDrawingMatchTheMeasure() {
        const QString dir = qEnvironmentVariable("TALMIR_SHARED");
        const QString path =
            dir + QStringLiteral("/corpus/dxf/librecad_blk1_r2007_closed_lwpoly_bulge.dxf");
        if (dir.isEmpty() || !QFile::exists(path)) {
            QSKIP("no shared corpus");
        }
        const QByteArray dxf = readBytes(path);
        const auto program = importers::dxfToGcode(std::string_view(dxf.constData(), dxf.size()));
        QVERIFY(program.ok());
        Session s(QByteArray::fromStdString(program.value()));
        s.frame->setLengthWindowOpen(true);
        s.frame->lengthWindow()->Toolbar_ButtonClick(QStringLiteral("lenzoku"));
        // One click on the first element of every contour.
        const graphic::PlotTables& tables = s.tables();
        bool contourStart = true;
        for (int k = 0; k <= tables.PathCount; ++k) {
            const graphic::PathRow& row = tables.paths[static_cast<std::size_t>(k)];
            if (row.g == 0) {
                contourStart = true;
            } else if (contourStart && row.mark == 0) {
                clickAt(s.graph(), row.x, row.y);
                contourStart = false;
            }
        }
        const double measured = graphic::measureProgram(tables).total.cutLength;
        QVERIFY(measured > 0);
        QVERIFY2(std::fabs(s.graph().SelectedLength - measured) < 1e-3,
                 qPrintable(QStringLiteral("%1 %2").arg(s.graph().SelectedLength).arg(measured)));
    }

    void coordinateCheckDocksAndReadsTwoPoints() {
        Session s;
        s.frame->action("Toolbar_CHECK")->trigger();
        CheckFrm* check = s.frame->checkWindow();
        QVERIFY(check != nullptr);
        QVERIFY(s.frame->action("MnuCheckWindow")->isChecked());
        clickAt(s.graph(), 10, 0.1);
        clickAt(s.graph(), 10, 10.1);
        QCOMPARE(check->value("P1X").text(), QStringLiteral("10.0000"));
        QCOMPARE(check->value("P2Y").text(), QStringLiteral("10.0000"));
        QCOMPARE(check->value("DY").text(), QStringLiteral("10.0000"));
        QCOMPARE(check->value("Length").text(), QStringLiteral("10.0000"));
        QCOMPARE(check->value("Angle").text(), QStringLiteral("90.000"));
        check->Command1_Click(1);
        clickAt(s.graph(), 0, 10.1);
        QCOMPARE(check->value("CountY").text(), QStringLiteral("0.0000"));
        QCOMPARE(check->value("CountX").text(), QStringLiteral("0.0000"));
        // Each point is labelled on the plot in the measurement colour.
        const QPoint label = s.graph().toPixel({0, 10}).toPoint();
        bool red = false;
        for (int dx = 4; dx < 40 && !red; ++dx) {  // past the red dot
            for (int dy = 0; dy < 20 && !red; ++dy) {
                red = s.graph().image().pixelColor(label + QPoint(dx, dy)) == QColor(Qt::red);
            }
        }
        QVERIFY(red);
        s.frame->action("MnuCheckWindow")->trigger();
        QVERIFY(s.frame->checkWindow() == nullptr);
        QVERIFY(!s.frame->action("Toolbar_CHECK")->isChecked());
    }

    void statisticsOfThePlottedProgram() {
        Session s;
        QCOMPARE(s.frame->summaryLabel().text(),
                 QStringLiteral("切削 71.4mm  早送り 30.4mm  要素 5"));
        talmir::testing::whenModalIs<StatFrm>([](StatFrm& stats) {
            QCOMPARE(stats.statistics().total.elements, 5);
            QVERIFY(std::fabs(stats.statistics().total.cutLength - (40 + 10 * std::numbers::pi)) <
                    1e-4);
            stats.cutFeed().setText(QStringLiteral("100"));
            stats.Command1_Click();
            // No F word: every cut at 100 mm/min.
            QVERIFY(std::fabs(stats.statistics().total.time - ((40 + 10 * std::numbers::pi) / 100 +
                                                               std::hypot(30, 5) / 10000)) < 1e-6);
            QVERIFY(stats.report().toPlainText().contains(QStringLiteral("合計")));
            stats.accept();
        });
        s.frame->action("MnuStats")->trigger();
    }

    void checkListReachesTheLine_data() { addLinesAboveRows(); }

    void checkListReachesTheLine() {
        QFETCH(QByteArray, above);
        const int aboveLines = above.count('\n');
        talmir::testing::EditorSession s;
        s.frm->show();
        GFrm& gfrm = GFrm::of(*s.frm);
        gfrm.pane().setShiftJis(
            (above + "(A)\r\nG01X10Y0F100\r\nG02X20Y1I5J0\r\nG06\r\n").toStdString());
        gfrm.show();
        gfrm.action("MnuCheck_Click")->trigger();
        auto* check = gfrm.findChild<PreflightFrm*>();
        QVERIFY(check != nullptr);
        QCOMPARE(check->list().count(), 2);
        QCOMPARE(check->findings()[0].line, std::size_t(3 + aboveLines));
        check->list().setCurrentRow(1);
        QCOMPARE(gfrm.pane().selectedText(), QStringLiteral("G06"));
    }

    void traceLinksThePlotAndTheText_data() { addLinesAboveRows(); }

    void traceLinksThePlotAndTheText() {
        QFETCH(QByteArray, above);
        Session s(above + kProgram);
        GFrm& gfrm = GFrm::of(*s.frm);
        s.frame->action("MnuTrace")->trigger();
        QVERIFY(s.frame->action("MnuTrace")->isChecked());
        QVERIFY(gfrm.isVisible());
        // A click on the bottom line of the square selects its line.
        QTest::mouseClick(&s.graph(), Qt::LeftButton, Qt::NoModifier,
                          s.graph().toPixel({5, 0.1}).toPoint());
        QCOMPARE(gfrm.pane().selectedText(), QStringLiteral("G01X10Y0\r\n"));
        QCOMPARE(s.frame->statusLabel().text(), QStringLiteral("行 %1").arg(3 + above.count('\n')));
        // Lines selected in the text light their elements: the right side alone.
        const QPoint rightSide = s.graph().toPixel({10, 5}).toPoint();
        const QPoint topSide = s.graph().toPixel({5, 10}).toPoint();
        QVERIFY(s.graph().image().pixelColor(rightSide) != QColor(0, 255, 255));
        const auto line = static_cast<unsigned long>(gfrm.pane().utf8View().find("G01X10Y10"));
        gfrm.pane().SendScintilla(TextPane::SCI_SETSEL, line, static_cast<long>(line + 11));
        QCOMPARE(s.graph().image().pixelColor(rightSide), QColor(0, 255, 255));
        QVERIFY(s.graph().image().pixelColor(topSide) != QColor(0, 255, 255));
        s.frame->setTracing(false);
        QVERIFY(!gfrm.isVisible());
    }

    void comparisonDrawsTheSecondProgramAndItsDifferences() {
        Session s;
        QByteArray other = kProgram;
        other.replace("G01X10Y10\r\nG01X0Y10", "G01X10Y12\r\nG01X0Y12");
        const QString path = s.scratch.path(QStringLiteral("other.nc"));
        writeBytes(path, other);
        s.dialogs.files.push_back(path);
        s.frame->action("MnuDiff")->trigger();
        QVERIFY(s.graph().comparing());
        QCOMPARE(s.frame->statusLabel().text(),
                 QStringLiteral("other.nc : 最初の相違 4 行目 (比較先 4 行目)  片方のみ 3 / 3"));
        // B's top edge at Y12, marked as B's own.
        QCOMPARE(s.graph().image().pixelColor(s.graph().toPixel({5, 12}).toPoint()),
                 QColor(255, 255, 0));
        s.frame->action("MnuDiffEnd")->trigger();
        QVERIFY(!s.graph().comparing());
        QCOMPARE(s.graph().image().pixelColor(s.graph().toPixel({5, 12}).toPoint()),
                 QColor(Qt::black));
    }

    void dataDeleteModeEndsWithEscape() {
        Session s;
        QVERIFY(s.frame->action("MnuDataDel")->isEnabled());
        s.frame->action("MnuDataDel")->trigger();
        QCOMPARE(s.graph().CommandState(), CvGrph::kDataDelete);
        QTest::keyClick(&s.graph(), Qt::Key_Escape);
        QCOMPARE(s.graph().CommandState(), CvGrph::kIdle);
    }
};

QTEST_MAIN(GraphToolsTest)
#include "GraphToolsTest.moc"
