// "HPGLをGコードへ" of the editor: the editor's plot file as a program in the G-code
// window, and the report when it cannot be converted.
#include "EditorSession.h"
#include "core/app/SettingsStore.h"
#include "gui/base/TextPane.h"
#include "gui/import/EditFrmHpgl.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QFile>
#include <QtTest>

#include <memory>

using namespace talmir;
using talmir::testing::writeBytes;

namespace {

QByteArray bytesOf(TextPane& pane) {
    const std::string bytes = pane.shiftJis();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void setPane(TextPane& pane, const QByteArray& bytes) {
    pane.setShiftJis(std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace

class HpglCommandTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        bool workFilesGone() const {
            return !QFile::exists(scratch.appFile(QStringLiteral("BAK.DAT"))) &&
                   !QFile::exists(scratch.appFile(QStringLiteral("BAK1.DAT")));
        }
    };

private slots:
    void convertsIntoTheGcodeWindow_data() {
        QTest::addColumn<QByteArray>("hpgl");
        QTest::addColumn<QByteArray>("program");
        // The editor splits its lines at CR LF; the commands go on across them.
        QTest::newRow("pen moves and a pen")
            << QByteArray("IN;SP1;PU0,0;\r\nPD 400,0;\r\nPU0,0;SP0;")
            << QByteArray("SP1\r\nG00X0.0Y0.0\r\nG01X10.0Y0.0\r\nG00X0.0Y0.0\r\nSP0\r\nM30\r\n");
        QTest::newRow("circle, last command without separator")
            << QByteArray("PU100,100;CI100;PD100,200")
            << QByteArray(
                   "G00X5.0Y2.5\r\nG02X5.0Y2.5I-2.5J0\r\nG00X2.5Y2.5\r\nG01X2.5Y5.0\r\n"
                   "M30\r\n");
        QTest::newRow("nothing to draw") << QByteArray("IN;LBHello\x03;") << QByteArray("M30\r\n");
    }

    void convertsIntoTheGcodeWindow() {
        QFETCH(QByteArray, hpgl);
        QFETCH(QByteArray, program);
        Session s;
        EditFrm& frm = *s.frm;
        QAction* act = frm.action("MnuHpgl_Click");
        QVERIFY(act != nullptr);
        QVERIFY(act->isEnabled());
        setPane(frm.pane(), hpgl);
        frm.setDocumentName(QStringLiteral("plot.v2.hpl"));
        writeBytes(s.scratch.appFile(QStringLiteral("BAK.DAT")), "old");
        writeBytes(s.scratch.appFile(QStringLiteral("BAK1.DAT")), "old");
        act->trigger();

        QVERIFY(s.dialogs.messages.empty());
        GFrm* g = GFrm::find(frm);
        QVERIFY(g != nullptr);
        QVERIFY(g->isVisible());
        QVERIFY(!g->isTreeView());
        // The whole document name, dots and all.
        QCOMPARE(g->windowTitle(), QStringLiteral("plot.v2.hpl"));
        QCOMPARE(bytesOf(g->pane()), program);
        QCOMPARE(bytesOf(frm.pane()), hpgl);
        QVERIFY(s.workFilesGone());
    }

    void replacesTheProgramShownInTheTreeView() {
        Session s;
        EditFrm& frm = *s.frm;
        GFrm& g = GFrm::of(frm);
        setPane(g.pane(), "(T1)\r\nG01X1.Y1.\r\n(T2)\r\nG01X2.Y2.");
        QVERIFY(g.TextOrTree(1));
        setPane(frm.pane(), "SP2;PD40,40;");
        frm.setDocumentName(QString());
        MnuHpgl_Click(frm);
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(GFrm::find(frm), &g);
        QVERIFY(!g.isTreeView());
        QVERIFY(g.isVisible());
        QCOMPARE(g.windowTitle(), QString());
        QCOMPARE(bytesOf(g.pane()), QByteArray("SP2\r\nG01X1.0Y1.0\r\nM30\r\n"));
    }

    // A failure is reported once; the G-code window is neither loaded nor shown,
    // and the editor keeps its text.
    void failureLeavesTheWindowsAsTheyWere() {
        Session s;
        EditFrm& frm = *s.frm;
        GFrm& g = GFrm::of(frm);
        setPane(g.pane(), "(kept)\r\nG01X1.Y1.");
        g.setWindowTitle(QStringLiteral("before"));
        const QByteArray hpgl("PU0,0;PD2E40,0;");
        setPane(frm.pane(), hpgl);
        frm.setDocumentName(QStringLiteral("big.hpl"));
        writeBytes(s.scratch.appFile(QStringLiteral("BAK1.DAT")), "old");
        frm.action("MnuHpgl_Click")->trigger();

        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(s.dialogs.messages.front().text,
                 QStringLiteral("エラー番号 : 6\nオーバーフローしました。"));
        QCOMPARE(s.dialogs.messages.front().icon, MessageIcon::Warning);
        QVERIFY(!g.isVisible());
        QCOMPARE(bytesOf(g.pane()), QByteArray("(kept)\r\nG01X1.Y1."));
        QCOMPARE(g.windowTitle(), QStringLiteral("before"));
        QCOMPARE(bytesOf(frm.pane()), hpgl);
        QVERIFY(s.workFilesGone());
    }

    void failureOpensNoWindow() {
        Session s;
        setPane(s.frm->pane(), "CI-2E40;");
        MnuHpgl_Click(*s.frm);
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY(GFrm::find(*s.frm) == nullptr);
    }
};

QTEST_MAIN(HpglCommandTest)
#include "HpglCommandTest.moc"
