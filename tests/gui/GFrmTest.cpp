// The G-code window: its text and tree views, node files, sorting, search, the
// hand-over to external programs, and the DXF command of the editor that fills it.
#include "EditorSession.h"
#include "TestFiles.h"
#include "core/app/WindowBounds.h"
#include "gui/base/TextPane.h"
#include "gui/base/TextPrinter.h"
#include "gui/import/EditFrmDxfNc.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

namespace {

// A program of two tools; (T1) comes back after (T2).
const QByteArray kProgram =
    "%\r\n(T1)\r\nG00X0.Y0.\r\nG01X1.Y0.\r\n(T2)\r\nG00X5.Y5.\r\n(T1)\r\nG01X2.Y0.\r\nM30";

QByteArray paneBytes(GFrm& g) {
    const std::string bytes = g.pane().shiftJis();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void setPane(TextPane& pane, const QByteArray& bytes) {
    pane.setShiftJis(std::string_view(bytes.constData(), bytes.size()));
}

QStringList nodeTexts(GFrm& g) {
    QStringList texts;
    for (int n = 0; n < g.tree().topLevelItemCount(); ++n) {
        texts << g.tree().topLevelItem(n)->text(0);
    }
    return texts;
}

}  // namespace

class GFrmTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        GFrm& gfrm() { return GFrm::of(*frm); }
        GFrm& withProgram(const QByteArray& program) {
            GFrm& g = gfrm();
            setPane(g.pane(), program);
            return g;
        }
        QString node(const QString& name) const {
            return scratch.appFile(QStringLiteral("Gcode/") + name);
        }
        QStringList nodeFiles() const {
            return QDir(scratch.appFile(QStringLiteral("Gcode")))
                .entryList(QDir::Files, QDir::Name);
        }
    };

private slots:
    void opensWithItsDefaultsAndItsConversions() {
        Session s;
        // The editor's tool strip settings are not the G-code window's.
        s.store.setText("Editfrm", "Bands1_Cotrol", "PCT2");
        GFrm& g = s.gfrm();
        QCOMPARE(g.windowTitle(), QStringLiteral("Ｇコード"));
        QCOMPARE(&GFrm::of(*s.frm), &g);  // one window per editor
        const int dpi = g.logicalDpiX();
        QCOMPARE(g.geometry().topLeft(),
                 QPoint(app::twipsToPixels(2000, dpi), app::twipsToPixels(2000, g.logicalDpiY())));
        QCOMPARE(g.geometry().width(), app::twipsToPixels(8000, dpi));
        QVERIFY(!g.isTreeView());
        QVERIFY(g.action("Toolbar_TEXT")->isChecked());
        QVERIFY(!g.action("Toolbar_TREE")->isChecked());
        for (const char* handler :
             {"MnuGcodeSeiri_Click", "MnuNcDxf_Click", "MnuNcGbr_Click", "Toolbar_DXF",
              "MnuGrph_Click", "MnuG81Nc_Click", "MnuG81Raundo_Click"}) {
            QVERIFY2(g.action(handler)->isEnabled(), handler);
        }
        QCOMPARE(g.action("MnuGcodeSeiri_Click")->text(), QStringLiteral("Gコードの並べ替え"));
        QCOMPARE(g.action("MnuApp_Click0")->text(), QStringLiteral("なし"));
        QCOMPARE(g.bandLayout(), app::BandLayout{});
    }

    void restoresItsOwnBands() {
        Session s;
        s.store.setText("Gfrm", "Bands1_Cotrol", "PCT1");
        s.store.setText("Gfrm", "Bands3_Cotrol", "TLB1");
        s.store.setText("Gfrm", "Bands3_NewRow", "True");
        GFrm& g = s.gfrm();
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const app::BandLayout layout = g.bandLayout();
        QCOMPARE(layout.keys[0], std::string("PCT1"));
        QCOMPARE(layout.keys[2], std::string("TLB1"));
        QVERIFY(layout.newRow[2]);
        QVERIFY(g.band("PCT1")->y() < g.band("TLB1")->y());
    }

    void treeViewRoundTrip() {
        Session s;
        GFrm& g = s.withProgram(kProgram);
        QVERIFY(g.TextOrTree(1));
        QVERIFY(g.isTreeView());
        QVERIFY(g.action("Toolbar_TREE")->isChecked());
        QCOMPARE(nodeTexts(g), (QStringList{"%", "(T1)", "(T2)", "M30"}));
        QCOMPARE(g.tree().topLevelItem(2)->data(0, Qt::UserRole).toString(), QStringLiteral("D3"));
        QCOMPARE(s.nodeFiles(), (QStringList{"%", "(T1)", "(T2)", "M30"}));
        QCOMPARE(readBytes(s.node("(T1)")), QByteArray("G00X0.Y0.\r\nG01X1.Y0.\r\nG01X2.Y0.\r\n"));
        QCOMPARE(readBytes(s.node("%")), QByteArray());
        // Node 1 is shown and selected; the pane sits beside the tree.
        QCOMPARE(g.tree().currentItem(), g.tree().topLevelItem(0));
        QCOMPARE(g.currentNodeName(), QStringLiteral("%"));
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK.$$$"))));

        // A click shows the node; the edit made there comes back in the text view.
        g.TreeView1_NodeClick(g.tree().topLevelItem(1));
        QCOMPARE(paneBytes(g), QByteArray("G00X0.Y0.\r\nG01X1.Y0.\r\nG01X2.Y0.\r\n"));
        setPane(g.pane(), "G00X0.Y0.\r\nG01X9.Y9.");
        QVERIFY(g.TextOrTree(0));
        QVERIFY(!g.isTreeView());
        QVERIFY(g.action("Toolbar_TEXT")->isChecked());
        QCOMPARE(paneBytes(g), QByteArray("%\r\n(T1)\r\nG00X0.Y0.\r\nG01X9.Y9.\r\n(T2)\r\n"
                                          "G00X5.Y5.\r\nM30\r\n"));
        QCOMPARE(g.pane().geometry().left(), 0);
        QVERIFY(s.dialogs.messages.empty());
    }

    void anotherNodeClickDropsUnsavedEdits() {
        Session s;
        GFrm& g = s.withProgram(kProgram);
        QVERIFY(g.TextOrTree(1));
        g.TreeView1_NodeClick(g.tree().topLevelItem(1));
        setPane(g.pane(), "G01X7.Y7.");
        g.TreeView1_NodeClick(g.tree().topLevelItem(2));
        QCOMPARE(readBytes(s.node("(T1)")), QByteArray("G00X0.Y0.\r\nG01X1.Y0.\r\nG01X2.Y0.\r\n"));
        QCOMPARE(paneBytes(g), QByteArray("G00X5.Y5.\r\n"));
    }

    void asTreeWhileInTheTreeKeepsTheNodes() {
        Session s;
        GFrm& g = s.withProgram(kProgram);
        QVERIFY(g.TextOrTree(1));
        g.TreeView1_NodeClick(g.tree().topLevelItem(1));
        // The pane holds data lines only; splitting it again would lose the tree.
        QVERIFY(g.TextOrTree(1));
        QCOMPARE(nodeTexts(g).size(), 4);
        QVERIFY(s.dialogs.messages.empty());
        // The text view asked for again keeps its text.
        QVERIFY(g.TextOrTree(0));
        const QByteArray text = paneBytes(g);
        setPane(g.pane(), text + "\r\nM02");
        QVERIFY(g.TextOrTree(0));
        QCOMPARE(paneBytes(g), text + "\r\nM02");
    }

    void labelEdits_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<bool>("renamed");
        QTest::addColumn<bool>("reported");
        QTest::newRow("free name") << QStringLiteral("(T9)") << true << false;
        QTest::newRow("kanji") << QStringLiteral("（工具１）") << true << false;
        QTest::newRow("another node's file") << QStringLiteral("(T2)") << false << false;
        QTest::newRow("parent folder") << QStringLiteral("..") << false << true;
        QTest::newRow("path") << QStringLiteral("../evil") << false << true;
        QTest::newRow("absolute") << QStringLiteral("/tmp/evil") << false << true;
        QTest::newRow("backslash") << QStringLiteral("..\\evil") << false << true;
        QTest::newRow("empty") << QString() << false << true;
        QTest::newRow("not Shift-JIS") << QStringLiteral("\U0001F600") << false << true;
    }

    void labelEdits() {
        QFETCH(QString, newName);
        QFETCH(bool, renamed);
        QFETCH(bool, reported);
        Session s;
        GFrm& g = s.withProgram(kProgram);
        QVERIFY(g.TextOrTree(1));
        QTreeWidgetItem* t1 = g.tree().topLevelItem(1);
        g.TreeView1_NodeClick(t1);
        const QByteArray t1Data = readBytes(s.node("(T1)"));
        const QByteArray t2Data = readBytes(s.node("(T2)"));
        // The label edit of the tree ends in the rename rule.
        t1->setText(0, newName);

        QCOMPARE(t1->text(0), renamed ? newName : QStringLiteral("(T1)"));
        QCOMPARE(g.currentNodeName(), renamed ? newName : QStringLiteral("(T1)"));
        QCOMPARE(QFile::exists(s.node("(T1)")), !renamed);
        QCOMPARE(readBytes(s.node(renamed ? newName : QStringLiteral("(T1)"))), t1Data);
        QCOMPARE(readBytes(s.node("(T2)")), t2Data);
        QCOMPARE(s.dialogs.messageTexts(),
                 reported ? QStringList{QStringLiteral("エラーが発生しました")} : QStringList{});
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("evil"))));
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/evil")));
        QCOMPARE(s.nodeFiles().size(), 4);

        QVERIFY(g.TextOrTree(0));
        QVERIFY(g.pane().text().contains((renamed ? newName : QStringLiteral("(T1)")) +
                                         QStringLiteral("\r\nG00X0.Y0.")));
        if (renamed && newName == QStringLiteral("(T9)")) {
            QCOMPARE(paneBytes(g), QByteArray("%\r\n(T9)\r\nG00X0.Y0.\r\nG01X1.Y0.\r\nG01X2.Y0.\r\n"
                                              "(T2)\r\nG00X5.Y5.\r\nM30\r\n"));
        }
    }

    void deleteNodes() {
        Session s;
        GFrm& g = s.withProgram("(T1)\r\nG01X1.Y1.\r\n(T2)\r\nG01X2.Y2.");
        QVERIFY(g.TextOrTree(1));
        g.TreeView1_NodeClick(g.tree().topLevelItem(1));
        g.tree().viewport()->setFocus();
        QTest::mouseRelease(g.tree().viewport(), Qt::LeftButton);
        QCOMPARE(g.action("MnuDel_Click")->text(), QStringLiteral("(T2)を削除"));
        QCOMPARE(g.action("MnuTreesave_Click")->text(), QStringLiteral("(T2)を保存"));

        s.dialogs.yesNo.push_back(false);
        g.MnuDel_Click();
        QCOMPARE(s.dialogs.questions, QStringList{QStringLiteral("(T2)を削除しますか?")});
        QCOMPARE(nodeTexts(g), (QStringList{"(T1)", "(T2)"}));

        s.dialogs.yesNo.push_back(true);
        g.MnuDel_Click();
        QCOMPARE(nodeTexts(g), QStringList{"(T1)"});
        QVERIFY(!QFile::exists(s.node("(T2)")));
        QVERIFY(g.isTreeView());
        QCOMPARE(g.currentNodeName(), QStringLiteral("(T1)"));
        QCOMPARE(paneBytes(g), QByteArray("G01X1.Y1.\r\n"));

        // The last node gone, the window returns to an empty text view.
        s.dialogs.yesNo.push_back(true);
        g.MnuDel_Click();
        QCOMPARE(g.tree().topLevelItemCount(), 0);
        QVERIFY(!g.isTreeView());
        QVERIFY(g.action("Toolbar_TEXT")->isChecked());
        QCOMPARE(paneBytes(g), QByteArray());
        QVERIFY(s.nodeFiles().isEmpty());
        QCOMPARE(s.dialogs.unanswered, 0);
    }

    void sectionLinesThatCannotBeFileNames_data() {
        QTest::addColumn<QByteArray>("program");
        QTest::newRow("parent folder") << QByteArray("(T1)\r\nG01X1.Y1.\r\n..\r\nG01X2.Y2.");
        QTest::newRow("relative path") << QByteArray("(T1)\r\n../evil\r\nG01X2.Y2.");
        QTest::newRow("absolute path") << QByteArray("/tmp/evil\r\nG01X2.Y2.");
        QTest::newRow("backslash path") << QByteArray("..\\evil\r\nG01X2.Y2.");
        QTest::newRow("dot") << QByteArray(".\r\nG01X2.Y2.");
        QTest::newRow("empty line") << QByteArray("(T1)\r\nG01X1.Y1.\r\n\r\nG01X2.Y2.");
        QTest::newRow("data line first") << QByteArray("G01X1.Y1.\r\n(T1)");
    }

    void sectionLinesThatCannotBeFileNames() {
        QFETCH(QByteArray, program);
        Session s;
        QFile::remove(QStringLiteral("/tmp/evil"));
        GFrm& g = s.withProgram(program);
        QVERIFY(!g.TextOrTree(1));
        QCOMPARE(s.dialogs.messageTexts(), QStringList{QStringLiteral("エラーが発生しました")});
        QCOMPARE(s.dialogs.messages.front().icon, MessageIcon::None);
        // The window stays in its text view with the whole program.
        QVERIFY(!g.isTreeView());
        QVERIFY(g.action("Toolbar_TEXT")->isChecked());
        QCOMPARE(paneBytes(g), program);
        QVERIFY(g.TextOrTree(0));
        QCOMPARE(paneBytes(g), program);
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("evil"))));
        QVERIFY(!QFile::exists(s.scratch.path(QStringLiteral("evil"))));
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/evil")));
    }

    void doubleByteNameWithBackslashTrailByte() {
        Session s;
        // "(ソ)": the second byte of ソ is 0x5C.
        GFrm& g = s.withProgram("(\x83\x5C)\r\nG01X1.Y1.");
        QVERIFY(g.TextOrTree(1));
        QCOMPARE(nodeTexts(g), QStringList{QStringLiteral("(ソ)")});
        QCOMPARE(readBytes(s.node(QStringLiteral("(ソ)"))), QByteArray("G01X1.Y1.\r\n"));
        QVERIFY(g.TextOrTree(0));
        QCOMPARE(paneBytes(g), QByteArray("(\x83\x5C)\r\nG01X1.Y1.\r\n"));
    }

    void sortRegroupsTheText() {
        Session s;
        GFrm& g = s.withProgram(
            "(T1)\r\nG00X0.Y0.\r\nG01X1.Y0.\r\n(T2)\r\nG00X5.Y5.\r\n(T1)\r\n"
            "G01X2.Y0.");
        g.action("MnuGcodeSeiri_Click")->trigger();
        QCOMPARE(paneBytes(g), QByteArray("(T1)\r\nG00X0.Y0.\r\nG01X1.Y0.\r\nG01X2.Y0.\r\n(T2)\r\n"
                                          "G00X5.Y5.\r\n"));
        QVERIFY(s.dialogs.messages.empty());

        setPane(g.pane(), "%\r\n(no motion)\r\nM30");
        g.MnuGcodeSeiri_Click();
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("変換可能なコマンドが、見つかりませんでした")});
        QCOMPARE(paneBytes(g), QByteArray("%\r\n(no motion)\r\nM30"));
    }

    void dxfCommandFromTheEditor() {
        Session s;
        EditFrm& frm = *s.frm;
        QVERIFY(frm.action("MnuDxfNc_Click")->isEnabled());
        QVERIFY(frm.action("Toolbar_DXF")->isEnabled());
        setPane(frm.pane(),
                "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\n0\r\n10\r\n0\r\n20\r\n"
                "0\r\n11\r\n10\r\n21\r\n5\r\n0\r\nCIRCLE\r\n10\r\n5\r\n20\r\n5\r\n40\r\n"
                "2\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
        frm.setDocumentName(QStringLiteral("part.v2.dxf"));
        writeBytes(s.scratch.appFile(QStringLiteral("BAK.DAT")), "old");
        frm.action("MnuDxfNc_Click")->trigger();

        GFrm* g = GFrm::find(frm);
        QVERIFY(g != nullptr);
        QVERIFY(g->isVisible());
        QVERIFY(!g->isTreeView());
        QCOMPARE(g->windowTitle(), QStringLiteral("part"));
        QCOMPARE(paneBytes(*g), QByteArray("0\r\nG00X0.0Y0.0\r\nG01X10.0Y5.0\r\nG00X7.0Y5.0\r\n"
                                           "G02X7.0Y5.0I-2.0J0.0\r\n"));
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK.DAT"))));
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK1.DAT"))));
        QVERIFY(s.dialogs.messages.empty());

        // From the tree view the command lands in the text view again; a name
        // without a dot is the caption as it is.
        QVERIFY(g->TextOrTree(1));
        frm.setDocumentName(QStringLiteral("drawing"));
        frm.Toolbar2_ButtonClick(QStringLiteral("DXF"));
        QCOMPARE(GFrm::find(frm), g);
        QVERIFY(!g->isTreeView());
        QCOMPARE(g->windowTitle(), QStringLiteral("drawing"));
        QCOMPARE(paneBytes(*g).left(14), QByteArray("0\r\nG00X0.0Y0.0"));
    }

    void dxfErrorLeavesTheWindowWithoutOutput() {
        Session s;
        GFrm& g = s.withProgram("(kept)\r\nG01X1.Y1.");
        g.setWindowTitle(QStringLiteral("before"));
        // No 0/EOF pair: the reader runs past the end of the text.
        setPane(s.frm->pane(), "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n10\r\n1\r\n20");
        MnuDxfNc_Click(*s.frm);
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY(s.dialogs.messages.front().text.startsWith(QStringLiteral("エラー番号 : ")));
        QCOMPARE(s.dialogs.messages.front().icon, MessageIcon::Warning);
        QVERIFY(g.isVisible());
        QCOMPARE(paneBytes(g), QByteArray("(kept)\r\nG01X1.Y1."));
        QCOMPARE(g.windowTitle(), QStringLiteral("before"));
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK1.DAT"))));
    }

    void exportsReplaceTheEditorText_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("documentName");
        QTest::newRow("IGES") << "MnuIges_Click" << QByteArray("(T1)\r\nG01X10.Y5.")
                              << QByteArray(72, ' ') + "S      1\r\n"
                              << QStringLiteral("part.igs");
        QTest::newRow("HPGL") << "MnuGHpgl_Click" << QByteArray("G01X10.Y5.")
                              << QByteArray("CT,1;SP1;PD;PA400,200;") << QStringLiteral("part.hpl");
        // Gerber data is no program: the editor keeps its text, silently.
        QTest::newRow("HPGL of Gerber") << "MnuGHpgl_Click" << QByteArray("X1Y1D02*")
                                        << QByteArray("kept") << QStringLiteral("kept.nc");
    }

    void exportsReplaceTheEditorText() {
        QFETCH(QString, handler);
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, start);
        QFETCH(QString, documentName);
        Session s;
        setPane(s.frm->pane(), "kept");
        s.frm->setDocumentName(QStringLiteral("kept.nc"));
        GFrm& g = s.withProgram(program);
        g.setWindowTitle(QStringLiteral("part"));
        QAction* act = g.action(handler.toStdString());
        QVERIFY(act->isEnabled());
        act->trigger();
        QVERIFY(s.dialogs.messages.empty());
        const std::string editor = s.frm->pane().shiftJis();
        QVERIFY2(QByteArray::fromStdString(editor).startsWith(start), editor.c_str());
        QCOMPARE(s.frm->documentName(), documentName);
        QCOMPARE(paneBytes(g), program);
        QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK.DAT"))));
    }

    void saveLeavesOutEmptyLines() {
        Session s;
        GFrm& g = s.withProgram(kProgram);
        QVERIFY(g.TextOrTree(1));
        g.TreeView1_NodeClick(g.tree().topLevelItem(2));
        const QString target = s.scratch.path(QStringLiteral("t2.nc"));
        s.dialogs.files.push_back(target);
        g.MnuTreesave_Click();
        QCOMPARE(s.dialogs.fileRequests.back().fileName, QStringLiteral("(T2)"));
        QCOMPARE(readBytes(target), QByteArray("G00X5.Y5.\r\n"));
        QVERIFY(g.isTreeView());

        // The whole program: the save switches to the text view first.
        s.dialogs.files.push_back(target);
        g.action("Toolbar_SAVE")->trigger();
        QVERIFY(!g.isTreeView());
        QCOMPARE(readBytes(target),
                 QByteArray("%\r\n(T1)\r\nG00X0.Y0.\r\nG01X1.Y0.\r\nG01X2.Y0.\r\n"
                            "(T2)\r\nG00X5.Y5.\r\nM30\r\n"));
        // A cancelled dialog is no error.
        s.dialogs.files.push_back(std::nullopt);
        g.MnuSave_Click();
        QVERIFY(s.dialogs.messages.empty());

        // A file that cannot be written is reported; the window keeps its text.
        s.dialogs.files.push_back(s.scratch.path(QStringLiteral("temp")));
        g.MnuSave_Click();
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY(s.dialogs.messages.front().text.startsWith(QStringLiteral("エラー番号 : ")));
        QCOMPARE(s.dialogs.messages.front().icon, MessageIcon::Warning);
        QVERIFY(paneBytes(g).startsWith("%\r\n(T1)"));
    }

    void printsThePane() {
        Session s;
        GFrm& g = s.withProgram("(T1)\r\nG01X1.Y1.");
        g.setWindowTitle(QStringLiteral("part"));
        QVERIFY(g.action("MnuPrint_Click")->isEnabled());
        if (!noPrinterInstalled()) {
            QSKIP("a printer is installed: the listing would go to paper");
        }
        // Without a printer the listing goes to a PDF file.
        const QString pdf = s.scratch.path(QStringLiteral("part.pdf"));
        s.dialogs.files.push_back(pdf);
        g.action("Toolbar_PRINT")->trigger();
        QVERIFY(s.dialogs.messages.empty());
        QVERIFY(readBytes(pdf).startsWith("%PDF"));
    }

    void searchBox() {
        Session s;
        GFrm& g = s.withProgram("(T1)\r\nG01X1.Y1.\r\n(工具)\r\nG01X1.Y2.");
        g.searchBox().setEditText(QStringLiteral("X1."));
        g.Command1_Click();
        QCOMPARE(g.pane().selectedText(), QStringLiteral("X1."));
        int line = 0;
        int index = 0;
        g.pane().getCursorPosition(&line, &index);
        QCOMPARE(line, 1);
        g.Command1_Click();  // the next one, after the double-byte line
        g.pane().getCursorPosition(&line, &index);
        QCOMPARE(line, 3);
        QCOMPARE(g.pane().selectedText(), QStringLiteral("X1."));
        g.Command1_Click();
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("検索文字[ X1. ]が見つかりませんでした。")});
        QCOMPARE(g.searchBox().count(), 1);
    }

    void vultaneHandOver() {
        Session s;
        GFrm& g = s.withProgram("(T1)\r\n\r\nG01X1.Y1.");
        g.MnuVultane_Click();
        QCOMPARE(
            s.dialogs.messageTexts(),
            QStringList{s.scratch.appFile(QStringLiteral("vultane.exe へ接続出来ませんでした"))});
        QCOMPARE(readBytes(s.scratch.appFile(QStringLiteral("BAK.DAT"))),
                 QByteArray("(T1)\r\nG01X1.Y1.\r\n"));
        QCOMPARE(readBytes(s.scratch.appFile(QStringLiteral("BAK1.DAT"))),
                 QByteArray("(T1)\r\n\r\nG01X1.Y1."));
    }

    void externalApplicationGetsBakDxfForDrawings_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("handOver");
        QTest::newRow("program") << QByteArray("(T1)\r\n\r\nG01X1.Y1.")
                                 << QStringLiteral("BAK.DAT");
        QTest::newRow("drawing") << QByteArray(
                                        "0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nLAYER\r\n0\r\n"
                                        "ENDSEC\r\n\r\n0\r\nEOF")
                                 << QStringLiteral("BAK.DXF");
    }

    void externalApplicationGetsBakDxfForDrawings() {
        QFETCH(QByteArray, text);
        QFETCH(QString, handOver);
        Session s;
        QDir().mkpath(s.scratch.path(QStringLiteral("tool")));
        const QString program = s.scratch.path(QStringLiteral("tool/app.sh"));
        writeBytes(program, "#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/argument\"\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
        s.store.setText("Talmir", "AppTitle0", "app");
        s.store.setText("Talmir", "AppName0", program.toStdString());
        GFrm& g = s.withProgram(text);
        g.action("MnuApp_Click0")->trigger();
        QVERIFY(s.dialogs.messages.empty());
        const QString expected = s.scratch.path(QStringLiteral("tool/") + handOver);
        QTRY_COMPARE(readBytes(s.scratch.path(QStringLiteral("tool/argument"))),
                     expected.toUtf8() + "\n");
        QVERIFY(!readBytes(expected).contains("\r\n\r\n"));
    }

    void closingKeepsBoundsAndRemovesNodeFiles() {
        Session s;
        GFrm* g = &s.withProgram(kProgram);
        g->show();
        QVERIFY(QTest::qWaitForWindowExposed(g));
        g->setGeometry(100, 120, 640, 480);
        QVERIFY(g->TextOrTree(1));
        QDir().mkpath(s.node(QStringLiteral("sub")));
        QVERIFY(!s.nodeFiles().isEmpty());
        const int dpi = g->logicalDpiX();
        g->action("MnuEnd_Click")->trigger();
        QVERIFY(s.nodeFiles().isEmpty());
        QVERIFY(QFileInfo(s.node(QStringLiteral("sub"))).isDir());
        QVERIFY(GFrm::find(*s.frm) == nullptr);
        QCOMPARE(s.store.getNumber("Gfrm", "Width", 0), app::pixelsToTwips(640, dpi));
        QCOMPARE(s.store.getText("Gfrm", "Bands1_Cotrol", ""), std::string("TLB1"));
        QCOMPARE(s.store.getText("Gfrm", "Bands4_NewRow", ""), std::string("False"));

        // The next use opens a new window where the last one was.
        GFrm& again = s.gfrm();
        QCOMPARE(again.geometry().size(), QSize(640, 480));
        QVERIFY(again.pane().isEmptyText());
    }
};

QTEST_MAIN(GFrmTest)
#include "GFrmTest.moc"
