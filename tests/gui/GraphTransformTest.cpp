// Mirror, axis swap, scale and move of the G-code from the graphic frame: the
// plot and the G-code window's text change together.
#include "EditorSession.h"
#include "GraphSession.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QLineEdit>
#include <QtTest>

using namespace talmir;

namespace {

const QByteArray kProgram = "(CUT)\r\nG00X0Y0\r\nG02X10Y0I5J0\r\nG90\r\nM30\r\n";

QByteArray paneBytes(TextPane& pane) {
    const std::string bytes = pane.shiftJis();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

struct Session : talmir::testing::EditorSession {
    MDIMarlit* frame = nullptr;

    Session() { frame = &talmir::testing::openGraph(*frm, kProgram); }
    GFrm& gfrm() { return GFrm::of(*frm); }
    QByteArray text() { return paneBytes(gfrm().pane()); }
};

}  // namespace

class GraphTransformTest : public QObject {
    Q_OBJECT

private slots:
    void mirrorRewritesTextAndPlotAndFits() {
        Session s;
        s.frame->action("MnuGMirr0")->trigger();
        QCOMPARE(s.text(),
                 QByteArray("(CUT)\r\nG00X0.0Y0.0\r\nG03X-10.0Y0.0I-5.0J0.0\r\nG90\r\nM30\r\n"));
        const graphic::PlotTables& tables = s.frm->plotTables();
        QCOMPARE(tables.paths[2].x, -10.0f);
        QCOMPARE(tables.paths[2].g, 3.0f);
        // Fitted to the mirrored program.
        QCOMPARE(s.frame->graph().view().ViewLeft, -15.0f);
        QCOMPARE(s.frame->graph().view().ViewRight, 5.0f);
    }

    void mirrorFromTheTreeViewRewritesTheWholeProgram() {
        Session s;
        QVERIFY(s.gfrm().TextOrTree(1));  // the pane holds the node of (CUT) only
        s.frame->action("MnuGMirr0")->trigger();
        QVERIFY(!s.gfrm().isTreeView());
        QCOMPARE(s.text(),
                 QByteArray("(CUT)\r\nG00X0.0Y0.0\r\nG03X-10.0Y0.0I-5.0J0.0\r\nG90\r\nM30\r\n"));
    }

    void scaleAndMoveThroughTheirPanels() {
        Session s;
        s.frame->action("MnuGRate")->trigger();
        QVERIFY(s.frame->scalePanel().isVisible());
        s.frame->scaleFactor().setText(QStringLiteral("2"));
        s.frame->Command2_Click(1);
        QVERIFY(!s.frame->scalePanel().isVisible());
        QCOMPARE(s.text(),
                 QByteArray("(CUT)\r\nG00X0.0Y0.0\r\nG02X20.0Y0.0I10.0J0.0\r\nG90\r\nM30\r\n"));
        QCOMPARE(s.frm->plotTables().paths[2].i, 10.0f);

        s.frame->action("MnuGMove")->trigger();
        QVERIFY(s.frame->movePanel().isVisible());
        QVERIFY(!s.frame->scalePanel().isVisible());
        s.frame->moveX().setText(QStringLiteral("1.5"));
        s.frame->moveY().setText(QStringLiteral("abc"));  // no number: 0
        s.frame->Command3_Click(1);
        QCOMPARE(s.text(),
                 QByteArray("(CUT)\r\nG00X1.5Y0.0\r\nG02X21.5Y0.0I10.0J0.0\r\nG90\r\nM30\r\n"));
        QCOMPARE(s.frm->plotTables().paths[2].x, 21.5f);
        QCOMPARE(s.frame->graph().view().ViewLeft, -3.5f);
    }

    void escapeHidesThePanels() {
        Session s;
        s.frame->action("MnuGMove")->trigger();
        QTest::keyClick(&s.frame->graph(), Qt::Key_Escape);
        QVERIFY(!s.frame->movePanel().isVisible());
        QCOMPARE(s.text(), kProgram);
    }
};

QTEST_MAIN(GraphTransformTest)
#include "GraphTransformTest.moc"
