// The hole-data window: its tool tree and node files, the failures that keep the
// text, the exports into the editor, the editor's "DXFを穴データへ", and the holes
// in the graphic frame.
#include "EditorSession.h"
#include "GraphSession.h"
#include "ModalDialog.h"
#include "TestFiles.h"
#include "core/graphic/PlotTables.h"
#include "gui/base/TextPane.h"
#include "gui/export/GB_FMT.h"
#include "gui/export/HolOutExlFrm.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/NcFrm.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::whenModalIs;

namespace {

const QByteArray kHoles = "T01C1.0\r\nT02C2.0\r\nT01\r\nX1.Y1.\r\nT02\r\nX2.Y2.";

// A file of the talmir-convert golden cases.
QByteArray golden(const char* relative) {
    return readBytes(QStringLiteral(TALMIR_GOLDEN_DIR "/") + QLatin1String(relative));
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void setPane(TextPane& pane, const QByteArray& bytes) {
    pane.setShiftJis(std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace

class NcFrmTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        NcFrm& withHoles(const QByteArray& holes) {
            NcFrm& nc = NcFrm::of(*frm);
            setPane(nc.pane(), holes);
            return nc;
        }
        QStringList nodeFiles() const {
            return QDir(scratch.appFile(QStringLiteral("Tcode")))
                .entryList(QDir::Files, QDir::Name);
        }
        QByteArray editorBytes() const { return bytesOf(frm->pane().shiftJis()); }
    };

private slots:
    void treeHasOneNodePerToolAndRebuildsTheText() {
        Session s;
        NcFrm& nc = s.withHoles(kHoles);
        QCOMPARE(nc.windowTitle(), QStringLiteral("ＮＣコード"));
        QVERIFY(nc.TextOrTree(1));
        QCOMPARE(nc.tree().topLevelItemCount(), 2);
        QCOMPARE(nc.tree().topLevelItem(0)->text(0), QStringLiteral("T01"));
        QCOMPARE(nc.tree().topLevelItem(1)->text(0), QStringLiteral("T02"));
        QCOMPARE(s.nodeFiles(), (QStringList{"T01", "T02"}));
        QCOMPARE(readBytes(s.scratch.appFile(QStringLiteral("Tcode/T02"))),
                 QByteArray("C2.0\r\nX2.Y2."));
        QCOMPARE(bytesOf(nc.pane().shiftJis()), QByteArray("C1.0\r\nX1.Y1."));

        // An edit of the node shown goes into the rebuilt text.
        setPane(nc.pane(), "C1.0\r\nX1.Y1.\r\nX3.Y3.");
        QVERIFY(nc.TextOrTree(0));
        QCOMPARE(bytesOf(nc.pane().shiftJis()),
                 QByteArray("T01C1.0\r\nT02C2.0\r\nT01\r\nX1.Y1.\r\nX3.Y3.\r\nT02\r\nX2.Y2.\r\n"));
        QVERIFY(s.dialogs.messages.empty());

        // Closing empties the node folder and keeps the bounds under "Ncfrm".
        nc.close();
        QVERIFY(s.nodeFiles().isEmpty());
        QVERIFY(s.store.contains("Ncfrm", "Width"));
    }

    void treeFailuresKeepTheText_data() {
        QTest::addColumn<QByteArray>("holes");
        QTest::newRow("tool code climbing out of Tcode") << QByteArray("..C1.0\r\n..\r\nX1.Y1.");
        QTest::newRow("tool code with a slash") << QByteArray("a/bC1.0\r\na/b\r\nX1.Y1.");
        QTest::newRow("selection of an undefined tool")
            << QByteArray("T01C1.0\r\nT01\r\nX1.Y1.\r\nT09\r\nX2.Y2.");
    }
    void treeFailuresKeepTheText() {
        QFETCH(QByteArray, holes);
        Session s;
        NcFrm& nc = s.withHoles(holes);
        QVERIFY(!nc.TextOrTree(1));
        QVERIFY(!nc.isTreeView());
        QCOMPARE(bytesOf(nc.pane().shiftJis()), holes);
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY(s.dialogs.messages[0].text.contains(QStringLiteral("エラーが発生しました")));
        // Nothing was written beside the node folder.
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("a"))));
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("Tcode/../..C1.0"))));
    }

    void igesFromTheTreeViewExportsEveryTool() {
        Session s;
        NcFrm& nc = s.withHoles(kHoles);
        nc.setCaption(QStringLiteral("board"));
        QVERIFY(nc.TextOrTree(1));
        nc.MnuIges_Click();
        QVERIFY(!nc.isTreeView());
        const QByteArray iges = s.editorBytes();
        QCOMPARE(iges.count("100,0.,"), 2);  // two circles, one per hole
        QCOMPARE(s.frm->documentName(), QStringLiteral("board.igs"));
    }

    void gerberFromTheTreeViewFlashesEveryHole() {
        Session s;
        NcFrm& nc = s.withHoles(golden("holes2gerber/unit0_crlf/input"));
        nc.setCaption(QStringLiteral("board"));
        QVERIFY(nc.TextOrTree(1));
        whenModalIs<GB_FMT>([](GB_FMT& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("NCデータをガーバー形式へ変換"));
            QCOMPARE(dialog.command3().objectName(), QStringLiteral("Command3"));
            dialog.unitOption(0).click();
            dialog.blockEndOption(2).click();
            dialog.command3().click();
        });
        nc.MnuGhenkan_Click();
        QVERIFY(!nc.isTreeView());
        QCOMPARE(s.editorBytes(), golden("holes2gerber/unit0_crlf/expected"));
        QCOMPARE(s.frm->documentName(), QStringLiteral("board.gbr"));
    }

    void spreadsheetGoesWhereTheUserSaysAndOpens() {
        Session s;
        NcFrm& nc = s.withHoles(kHoles);
        nc.setCaption(QStringLiteral("board.nc"));
        QStringList opened;
        workbookOpener() = [&opened](const QString& path) {
            opened << path;
            return true;
        };
        const QString chosen = s.scratch.path(QStringLiteral("drill"));
        s.dialogs.files.push_back(chosen);
        whenModalIs<HolOutExlFrm>([](HolOutExlFrm& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("穴データをエクセルへ"));
            QCOMPARE(dialog.preview().item(1, 2)->text(), QStringLiteral("X"));
            dialog.layoutOption(1).click();
            QCOMPARE(dialog.preview().item(1, 2)->text(), QStringLiteral("X123.456"));
            QCOMPARE(dialog.preview().item(1, 3)->text(), QStringLiteral("Y123.456"));
            QVERIFY(dialog.preview().item(1, 4) == nullptr);
            dialog.command1(0).click();
        });
        nc.MnuDlrExcel_Click();
        QCOMPARE(s.dialogs.fileRequests.back().fileName, QStringLiteral("board.xlsx"));
        QCOMPARE(opened, QStringList{chosen + QStringLiteral(".xlsx")});
        QVERIFY(readBytes(opened.value(0)).startsWith("PK"));  // a zip: the workbook
        QVERIFY(s.dialogs.messages.empty());

        // Cancelled in the dialog: no file is asked for, nothing opens.
        whenModalIs<HolOutExlFrm>([](HolOutExlFrm& dialog) { dialog.command1(1).click(); });
        nc.MnuDlrExcel_Click();
        QCOMPARE(s.dialogs.fileRequests.size(), std::size_t{1});
        QCOMPARE(opened.size(), 1);
        workbookOpener() = nullptr;
    }

    void dxfCirclesBecomeHoleData() {
        Session s;
        const QByteArray dxf =
            "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
            "  0\r\nCIRCLE\r\n  8\r\nDRILL3\r\n 10\r\n10.0\r\n 20\r\n10.0\r\n 40\r\n1.5\r\n"
            "  0\r\nCIRCLE\r\n  8\r\nDRILL3\r\n 10\r\n20.0\r\n 20\r\n10.0\r\n 40\r\n1.5\r\n"
            "  0\r\nCIRCLE\r\n  8\r\nDRILL1\r\n 10\r\n5.0\r\n 20\r\n5.0\r\n 40\r\n0.5\r\n"
            "  0\r\nENDSEC\r\n  0\r\nEOF";
        setPane(s.frm->pane(), dxf);
        s.frm->setDocumentName(QStringLiteral("plate.dxf"));
        s.frm->action("MnuDxsDlir_Click")->trigger();
        NcFrm* nc = NcFrm::find(*s.frm);
        QVERIFY(nc != nullptr && nc->isVisible());
        QCOMPARE(nc->windowTitle(), QStringLiteral("plate.dxf"));
        QCOMPARE(bytesOf(nc->pane().shiftJis()),
                 QByteArray("T01C3.0\r\nT02C1.0\r\nT01\r\nX10.0Y10.0\r\nX20.0Y10.0\r\n"
                            "T02\r\nX5.0Y5.0\r\n"));
        QCOMPARE(readBytes(s.scratch.appFile(QStringLiteral("BAK1.DAT"))).count("\r\n"), 3);
        QCOMPARE(s.editorBytes(), dxf);  // the editor keeps its drawing
    }

    void drawingWithoutCirclesShowsNoWindow() {
        Session s;
        setPane(s.frm->pane(), "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF");
        s.frm->action("MnuDxsDlir_Click")->trigger();
        QVERIFY(NcFrm::find(*s.frm) == nullptr);
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY(s.dialogs.messages[0].text.contains(
            QStringLiteral("変換可能なコマンドが、見つかりませんでした")));
    }

    void graphMirrorsTheHolesAndGivesThemBack() {
        Session s;
        MDIMarlit& frame = talmir::testing::openGraph(*s.frm, kHoles, ProgramWindow::Kind::Holes);
        NcFrm& nc = NcFrm::of(*s.frm);
        QVERIFY(!nc.isVisible());
        QVERIFY(frame.menu("MnuNc")->menuAction()->isVisible());
        QCOMPARE(s.frm->plotTables().HoleCount, 1);
        frame.NcMirr(0);
        QCOMPARE(s.frm->plotTables().holes[0].x, -1.0f);
        QCOMPARE(bytesOf(nc.pane().shiftJis()),
                 QByteArray("T01C1.0\r\nT02C2.0\r\nT01\r\nX-1.0Y1.0\r\nT02\r\nX-2.0Y2.0\r\n"));
        frame.close();
        QVERIFY(nc.isVisible());
        // No width changed in the frame: the text stays as the mirror left it.
        QCOMPARE(bytesOf(nc.pane().shiftJis()),
                 QByteArray("T01C1.0\r\nT02C2.0\r\nT01\r\nX-1.0Y1.0\r\nT02\r\nX-2.0Y2.0\r\n"));
    }

    void graphMovesAndScalesTheHolesThroughTheirPanels() {
        Session s;
        MDIMarlit& frame = talmir::testing::openGraph(*s.frm, kHoles, ProgramWindow::Kind::Holes);
        NcFrm& nc = NcFrm::of(*s.frm);
        frame.action("MnuMove")->trigger();
        QVERIFY(frame.movePanel().isVisible());
        QVERIFY(frame.moveRun(0).isVisible() && !frame.moveRun(1).isVisible());
        frame.moveX().setText(QStringLiteral("0.25"));
        frame.moveY().setText(QStringLiteral("-1"));
        frame.moveRun(0).click();
        QVERIFY(!frame.movePanel().isVisible());
        QCOMPARE(bytesOf(nc.pane().shiftJis()),
                 QByteArray("T01C1.0\r\nT02C2.0\r\nT01\r\nX1.25Y0\r\nT02\r\nX2.25Y1\r\n"));
        QCOMPARE(s.frm->plotTables().holes[1].x, 2.25f);

        frame.action("MnuRate")->trigger();
        QVERIFY(frame.scalePanel().isVisible() && !frame.movePanel().isVisible());
        QVERIFY(frame.scaleRun(0).isVisible() && !frame.scaleRun(1).isVisible());
        frame.scaleFactor().setText(QStringLiteral("2"));
        frame.scaleRun(0).click();
        QCOMPARE(bytesOf(nc.pane().shiftJis()),
                 QByteArray("T01C1.0\r\nT02C2.0\r\nT01\r\nX2.5Y0.0\r\nT02\r\nX4.5Y2.0\r\n"));
        // The G-code menu fronts the other button.
        frame.action("MnuGMove")->trigger();
        QVERIFY(!frame.moveRun(0).isVisible() && frame.moveRun(1).isVisible());
    }
};

QTEST_MAIN(NcFrmTest)
#include "NcFrmTest.moc"
