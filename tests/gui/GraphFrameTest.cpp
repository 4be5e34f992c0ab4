// The graphic frame opened from the G-code window: fit, zoom, pan, wheel, keys,
// the two click modes, snapping, the view options and the closing sequence.
#include "EditorSession.h"
#include "GraphSession.h"
#include "TestFiles.h"
#include "core/graphic/PictureGcode.h"
#include "core/graphic/PlotView.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

namespace {

// A 10 x 10 square with a half circle on top, in one named section.
const QByteArray kProgram =
    "%\r\n(CUT)\r\nG00X0Y0\r\nG01X10Y0\r\nG01X10Y10\r\n"
    "G03X0Y10I-5J0\r\nG01X0Y0\r\nM30\r\n";

QByteArray paneBytes(TextPane& pane) {
    const std::string bytes = pane.shiftJis();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void click(CvGrph& graph, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&graph, button, Qt::NoModifier, at.toPoint());
}

void turnWheel(CvGrph& graph, int delta) {
    const QPointF at(graph.width() / 2.0, graph.height() / 2.0);
    QWheelEvent event(at, graph.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&graph, &event);
}

}  // namespace

class GraphFrameTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        Session() { frm->show(); }
        GFrm& gfrm() { return GFrm::of(*frm); }
        // The G-code window with `program`, then its graph.
        MDIMarlit& graph(const QByteArray& program = kProgram) {
            return talmir::testing::openGraph(*frm, program);
        }
    };

private slots:
    void opensMaximisedOverTheTextWindowsAndFits() {
        Session s;
        MDIMarlit& frame = s.graph();
        QCOMPARE(frame.windowTitle(), QStringLiteral("グラフィック"));
        QVERIFY(frame.isMaximized());
        QVERIFY(!s.frm->isVisible());
        QVERIFY(!s.gfrm().isVisible());
        // "%", "(CUT)" and "M30" are sections: each adds a layer-change record.
        QCOMPARE(s.frm->plotTables().PathCount, 7);
        // G-code only: its menu is there, the hole-data one is not.
        QVERIFY(frame.menu("MnuG")->menuAction()->isVisible());
        QVERIFY(!frame.menu("MnuNc")->menuAction()->isVisible());
        // Every tool of the frame is there to use.
        for (const char* handler : {"Toolbar_LAYSET", "Toolbar_LAYER", "Toolbar_CHECK", "MnuLenge",
                                    "MnuLaiyr", "MnuCheckWindow", "MnuApSizuSave", "MnuDataDel"}) {
            QVERIFY2(frame.action(handler)->isEnabled(), handler);
        }
        // Fitted: the square and the top of the half circle, 5 units around.
        graphic::PlotView fitted;
        graphic::fitView(fitted, s.frm->plotTables());
        const graphic::PlotView& view = frame.graph().view();
        QCOMPARE(view.ViewLeft, -5.0f);
        QCOMPARE(view.ViewRight, 15.0f);
        QCOMPARE(view.ViewTop, fitted.ViewTop);
        QCOMPARE(view.ChordStep, 3.0f);
        QVERIFY(frame.graph().picks().PickCount > 0);
        QCOMPARE(frame.bandLayout(), app::designedLayout(kGraphBandKeys));
        // Asking again brings the same frame forward.
        QCOMPARE(&MDIMarlit::open(*s.frm), &frame);
    }

    void fromTheTreeViewTheWholeProgramIsPlotted() {
        Session s;
        GFrm& g = s.gfrm();
        const QByteArray program = "(A)\r\nM30\r\n(B)\r\nG00X0Y0\r\nG01X5Y0\r\n";
        g.pane().setShiftJis(std::string_view(program.constData(), program.size()));
        g.show();
        QVERIFY(g.TextOrTree(1));  // node (A) holds no motion
        g.runCommand("MnuGrph_Click");
        QVERIFY(MDIMarlit::find(*s.frm) != nullptr);
        QVERIFY(!g.isTreeView());
        // Three section records and both motions.
        QCOMPARE(s.frm->plotTables().PathCount, 4);
    }

    void theEditorsOwnProgramIsPlotted_data() {
        QTest::addColumn<QString>("handler");
        QTest::newRow("menu") << "MnuEditGrph_Click";
        QTest::newRow("tool strip") << "Toolbar_GRPH";
    }

    void theEditorsOwnProgramIsPlotted() {
        QFETCH(QString, handler);
        Session s;
        s.frm->pane().setShiftJis(std::string_view(kProgram.constData(), kProgram.size()));
        s.frm->setDocumentName(QStringLiteral("part.nc"));
        QAction* command = s.frm->action(handler.toStdString());
        QVERIFY(command->isEnabled());
        command->trigger();
        QVERIFY(MDIMarlit::find(*s.frm) != nullptr);
        QCOMPARE(paneBytes(s.gfrm().pane()), kProgram);
        QCOMPARE(s.gfrm().caption(), QStringLiteral("part"));
        QVERIFY(!s.gfrm().isTreeView());
        QCOMPARE(s.frm->plotTables().PathCount, 7);
    }

    void viewCommandsFromBarsKeysAndWheel() {
        Session s;
        MDIMarlit& frame = s.graph();
        CvGrph& graph = frame.graph();
        const graphic::PlotView fit = graph.view();

        frame.action("Toolbar_PGUP")->trigger();
        QCOMPARE(graph.view().ViewWidth, fit.ViewWidth / 2);
        QCOMPARE(graph.view().ChordStep, 1.5f);
        QTest::keyClick(&graph, Qt::Key_PageDown);
        QCOMPARE(graph.view().ViewWidth, fit.ViewWidth);
        frame.action("Toolbar_RIGTH")->trigger();
        QCOMPARE(graph.view().ViewCentreX, fit.ViewCentreX + 0.3f * fit.ViewWidth);
        QTest::keyClick(&graph, Qt::Key_8, Qt::KeypadModifier);  // numeric-pad up
        QCOMPARE(graph.view().ViewCentreY, fit.ViewCentreY + 0.3f * fit.ViewHeight);
        QTest::keyClick(&graph, Qt::Key_Home);
        QCOMPARE(graph.view().ViewCentreX, fit.ViewCentreX);
        QCOMPARE(graph.view().ViewCentreY, fit.ViewCentreY);

        turnWheel(graph, 120);
        QCOMPARE(graph.view().ViewWidth, fit.ViewWidth * 0.8f);
        turnWheel(graph, -120);
        QCOMPARE(graph.view().ViewWidth, fit.ViewWidth * 0.8f * 1.2f);
        turnWheel(graph, 0);  // sideways: nothing
        QCOMPARE(graph.view().ViewWidth, fit.ViewWidth * 0.8f * 1.2f);

        // The label follows the mouse in world units.
        const QPointF origin = graph.toPixel({0, 0});
        QTest::mouseMove(&graph, origin.toPoint());
        QVERIFY(frame.statusLabel().text().startsWith(QLatin1Char('X')));
        // Within a few pixels (the offscreen mouse lands up to three pixels off in Y).
        const double pixelWorld = 4.0 / std::abs(graph.toPixel({1, 0}).x() - origin.x());
        const QByteArray at = QByteArray::number(graph.CursorX) + " " +
                              QByteArray::number(graph.CursorY) + " " +
                              QByteArray::number(pixelWorld);
        QVERIFY2(std::abs(graph.CursorX) <= pixelWorld, at.constData());
        QVERIFY2(std::abs(graph.CursorY) <= pixelWorld, at.constData());
    }

    void zoomAndMoveModesCentreOnTheClick() {
        Session s;
        MDIMarlit& frame = s.graph();
        CvGrph& graph = frame.graph();
        const graphic::PlotView fit = graph.view();

        frame.action("Toolbar_ZOOM")->trigger();
        QCOMPARE(graph.CommandState(), CvGrph::kZoomMode);
        const auto corner = graph.toWorld(QPointF(graph.width() - 2, graph.height() - 2));
        QVERIFY(corner);
        click(graph, QPointF(graph.width() - 2, graph.height() - 2));
        QVERIFY(std::abs(graph.view().ViewCentreX - corner->x) < 1e-3);
        QVERIFY(std::abs(graph.view().ViewCentreY - corner->y) < 1e-3);
        QCOMPARE(graph.view().ViewWidth, fit.ViewWidth / 2);
        QCOMPARE(graph.CommandState(), CvGrph::kZoomMode);  // stays until ended

        frame.action("Popup_Move")->trigger();
        QCOMPARE(graph.CommandState(), CvGrph::kMoveMode);
        const QPointF inside(10, 10);
        const auto target = graph.toWorld(inside);
        click(graph, inside, Qt::MiddleButton);
        QVERIFY(std::abs(graph.view().ViewCentreX - target->x) < 1e-3);
        QVERIFY(std::abs(graph.view().ViewCentreY - target->y) < 1e-3);
        QCOMPARE(graph.view().ViewWidth, fit.ViewWidth / 2);

        QTest::keyClick(&graph, Qt::Key_Escape);
        QCOMPARE(graph.CommandState(), CvGrph::kIdle);
    }

    void clickSnapsToTheNearestPointAndMarksIt() {
        Session s;
        MDIMarlit& frame = s.graph();
        CvGrph& graph = frame.graph();
        // A little off the corner (10, 0): within ChordStep, so it snaps there.
        const QPointF near = graph.toPixel({10.6, 0.4});
        click(graph, near);
        QCOMPARE(graph.LastPickX, 10.0f);
        QCOMPARE(graph.LastPickY, 0.0f);
        const QPointF dot = graph.toPixel({10, 0});
        QCOMPARE(graph.image().pixelColor(static_cast<int>(dot.x()), static_cast<int>(dot.y())),
                 QColor(255, 0, 0));
        // The measured segment runs from the previous point (the origin).
        QCOMPARE(graph.lastSegment.length, 10.0);

        // Far from everything: nothing snaps.
        click(graph, graph.toPixel({5, 5}));
        QCOMPARE(graph.LastPickX, 10.0f);
        QCOMPARE(graph.LastPickY, 0.0f);
        // A redraw clears the dot.
        graph.GrSub();
        QVERIFY(graph.image().pixelColor(static_cast<int>(dot.x()), static_cast<int>(dot.y())) !=
                QColor(255, 0, 0));
    }

    void viewOptionsRedrawAndPersist() {
        Session s;
        MDIMarlit& frame = s.graph();
        CvGrph& graph = frame.graph();

        s.dialogs.colors.push_back(QColor(0, 128, 255));
        frame.MnuBackColor_Click();
        QCOMPARE(graph.colours().entries[0], double(0xFF8000));
        QCOMPARE(graph.image().pixelColor(1, 1), QColor(0, 128, 255));
        s.dialogs.colors.push_back(std::nullopt);  // cancelled: unchanged
        frame.MnuBackColor_Click();
        QCOMPARE(graph.colours().entries[0], double(0xFF8000));

        frame.action("MnuCircleOrLine1")->trigger();
        QVERIFY(graph.options().arcsAsLines);
        QVERIFY(!frame.action("MnuCircleOrLine0")->isChecked());
        frame.action("MnuCircleOrLine1")->trigger();  // clicking the checked one keeps it
        QVERIFY(frame.action("MnuCircleOrLine1")->isChecked());
        frame.action("MnuCircleOrLine0")->trigger();
        QVERIFY(!graph.options().arcsAsLines);
        QVERIFY(!frame.action("MnuCircleOrLine1")->isChecked());

        frame.action("MnuXYLine")->trigger();
        QVERIFY(graph.options().referenceLines);
        frame.action("Toolbar_G")->trigger();
        QVERIFY(!graph.options().drawPaths);
        QCOMPARE(graph.picks().PickCount, 0);

        frame.MnuExit_Click();
        QVERIFY(s.store.getBool("Talmir", "PzERo", false));
        QCOMPARE(s.store.getText("Grph", "Bands3_Cotrol", ""), std::string("TLB3"));
        // The colours come back the next time.
        MDIMarlit& again = s.graph();
        QCOMPARE(again.graph().colours().entries[0], double(0xFF8000));
        QVERIFY(again.action("MnuXYLine")->isChecked());
        QCOMPARE(s.dialogs.unanswered, 0);
    }

    void closingShowsTheWindowsAgain() {
        Session s;
        MDIMarlit& frame = s.graph();
        frame.action("Toolbar_EXIT")->trigger();
        QVERIFY(MDIMarlit::find(*s.frm) == nullptr);
        QVERIFY(s.frm->isVisible());
        QVERIFY(s.gfrm().isVisible());
        QCOMPARE(s.frm->plotTables().PathCount, -1);
        QCOMPARE(paneBytes(s.gfrm().pane()), kProgram);
        const QByteArray colours = readBytes(s.scratch.appFile(QStringLiteral("LAYER.RGB")));
        QCOMPARE(colours.count("\r\n"), 257);
        QVERIFY(colours.startsWith("0\r\n16711680\r\n"));
        QVERIFY(s.dialogs.questions.isEmpty());  // no wide layer, no question
    }

    void wideLayersAreOfferedAsOutlines() {
        const QString question = QStringLiteral("線幅設定による描画形状をGコードへ置き換えますか");
        Session s;
        MDIMarlit& frame = s.graph();
        graphic::PlotTables& tables = s.frm->plotTables();
        QCOMPARE(tables.layers[1].name, std::string("(CUT)"));
        tables.layers[1].width = 2;

        s.dialogs.yesNoCancel.push_back(Answer::Cancel);
        QVERIFY(!frame.close());
        QCOMPARE(MDIMarlit::find(*s.frm), &frame);
        QCOMPARE(paneBytes(s.gfrm().pane()), kProgram);
        QCOMPARE(s.dialogs.questions, QStringList{question});

        const std::string outlines = graphic::PictureGcode(tables);
        s.dialogs.yesNoCancel.push_back(Answer::Yes);
        QVERIFY(frame.close());
        QVERIFY(MDIMarlit::find(*s.frm) == nullptr);
        QCOMPARE(paneBytes(s.gfrm().pane()),
                 QByteArray(outlines.data(), static_cast<qsizetype>(outlines.size())));
        // The track's outline: circles and sides, the arc as two G03 arcs.
        QVERIFY(
            paneBytes(s.gfrm().pane()).contains("(CUT)\r\nG00X1.0Y0.0\r\nG02X1.0Y0.0I-1.0J0\r\n"));
        QVERIFY(s.frm->isVisible());
    }

    void toolLayersNeverAsk() {
        Session s;
        MDIMarlit& frame = s.graph();
        // A tool layer's width is a hole diameter, not a track to outline.
        graphic::LayerSlot& tool = s.frm->plotTables().layers[200];
        tool.name = "T1";
        tool.width = 1;
        QVERIFY(frame.close());
        QVERIFY(s.dialogs.questions.isEmpty());
        QCOMPARE(paneBytes(s.gfrm().pane()), kProgram);
    }
};

QTEST_MAIN(GraphFrameTest)
#include "GraphFrameTest.moc"
