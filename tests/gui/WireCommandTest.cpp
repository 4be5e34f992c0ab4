// "ワイヤーカットデータ" and "ワイヤーFUNAC" of the editor: the translated program in
// the G-code window, and the expanded program plotted in a graphic frame that no
// program window stands behind.
#include "EditorSession.h"
#include "TestFiles.h"
#include "UnitModeImport.h"
#include "core/graphic/PlotTables.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/import/EditFrmWirFmt.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

using namespace talmir;
using talmir::testing::goldenBytes;
using talmir::testing::paneBytes;
using talmir::testing::setPane;
using talmir::testing::writeBytes;

namespace {

struct Session : talmir::testing::EditorSession {
    Session() { frm->show(); }

    bool workFilesGone() const {
        return !QFile::exists(scratch.appFile(QStringLiteral("BAK.DAT"))) &&
               !QFile::exists(scratch.appFile(QStringLiteral("BAK1.DAT")));
    }
    // The subprogram `name` in the folder "SUB" of AppDir.
    void subprogram(const QString& name, const QByteArray& bytes) {
        QDir().mkpath(scratch.appFile(QStringLiteral("SUB")));
        writeBytes(scratch.appFile(QStringLiteral("SUB/") + name), bytes);
    }
    QAction& entry(const char* handler, const QString& caption) {
        QAction* act = frm->action(handler);
        if (act == nullptr || !act->isEnabled() || act->text() != caption) {
            qFatal("%s is not an enabled entry", handler);
        }
        return *act;
    }
};

// A corner cut by a subprogram, with its compensation and threading lines.
const QByteArray kWire = "G92X0Y0\r\nM60\r\nG42G01X10.Y0(P1)\r\nM98P1000\r\nG40G01X0Y0\r\nM50\r\n";
const QByteArray kCorner = "O1000\r\nG01X10.Y10.\r\nG02X20.Y10.R5.\r\nM99\r\n";

}  // namespace

class WireCommandTest : public QObject {
    Q_OBJECT

private slots:
    void translationFillsTheGcodeWindow() {
        Session s;
        setPane(s.frm->pane(),
                goldenBytes(QStringLiteral("wire2gcode/wire-state-and-thousandths/input")));
        s.frm->setDocumentName(QStringLiteral("die.a.nc"));
        writeBytes(s.scratch.appFile(QStringLiteral("BAK.DAT")), "old");
        s.entry("MnuWirFmt_Click", QStringLiteral("ワイヤーカットデータ")).trigger();

        QVERIFY(s.dialogs.messages.empty());
        GFrm& gfrm = GFrm::of(*s.frm);
        QCOMPARE(paneBytes(gfrm.pane()),
                 goldenBytes(QStringLiteral("wire2gcode/wire-state-and-thousandths/expected")));
        QCOMPARE(gfrm.caption(), QStringLiteral("die"));
        QVERIFY(gfrm.isVisible());
        QVERIFY(s.workFilesGone());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void failedTranslationNamesItsStep_data() {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("flats that meet")
            << QByteArray("H100=10.\r\nH200=10.\r\nG22L3000\r\n") << QStringLiteral("Orvanta_3")
            << QStringLiteral("エラー番号 : 11\n0 で除算しました。");
        QTest::newRow("radius too short")
            << QByteArray("G01X0Y0\r\nG02X20.Y0R5.\r\n") << QStringLiteral("Orvanta_2")
            << QStringLiteral("エラー番号 : 5\nプロシージャの呼び出し、または引数が不正です。");
    }

    void failedTranslationNamesItsStep() {
        QFETCH(QByteArray, wire);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Session s;
        GFrm& gfrm = GFrm::of(*s.frm);
        setPane(gfrm.pane(), "G01X1.Y1.\r\n");
        setPane(s.frm->pane(), wire);
        MnuWirFmt_Click(*s.frm);

        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(s.dialogs.messages[0].title, title);
        QCOMPARE(s.dialogs.messages[0].text, text);
        QCOMPARE(paneBytes(gfrm.pane()), QByteArray("G01X1.Y1.\r\n"));
        QCOMPARE(paneBytes(s.frm->pane()), wire);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void expansionIsPlottedWithItsLayers() {
        Session s;
        s.subprogram(QStringLiteral("O1000"), kCorner);
        setPane(s.frm->pane(), kWire);
        s.entry("MnuFUNACfmt_Click", QStringLiteral("ワイヤーFUNAC")).trigger();

        QVERIFY(s.dialogs.messages.empty());
        MDIMarlit* frame = MDIMarlit::find(*s.frm);
        QVERIFY(frame != nullptr);
        const graphic::PlotTables& t = s.frm->plotTables();
        QCOMPARE(t.HoleCount, -1);
        // G40, G00X0Y0, G40 (the G92), G42, G01X10, G01X10Y10, G02, G40, G01X0Y0
        QCOMPARE(t.PathCount, 8);
        QCOMPARE(t.layers[0].name, std::string("G40"));
        QCOMPARE(t.layers[1].name, std::string("G42"));
        QVERIFY(t.layers[1].visible);
        const graphic::PathRow& arc = t.paths[6];
        QCOMPARE(arc.g, 2.0f);
        QCOMPARE(arc.x, 20.0f);
        QCOMPARE(arc.i, 5.0f);  // from R5
        QCOMPARE(arc.layer, 1.0f);
        QCOMPARE(t.paths[7].layer, 0.0f);
        QVERIFY(s.workFilesGone());
    }

    void transformsOfTheExpansionLeaveTheGcodeWindowAlone() {
        Session s;
        s.subprogram(QStringLiteral("O1000"), kCorner);
        GFrm& gfrm = GFrm::of(*s.frm);
        const QByteArray unrelated = "(OTHER)\r\nG01X5.Y5.\r\n";
        setPane(gfrm.pane(), unrelated);
        setPane(s.frm->pane(), kWire);
        MnuFUNACfmt_Click(*s.frm);
        MDIMarlit* frame = MDIMarlit::find(*s.frm);
        QVERIFY(frame != nullptr);

        frame->GMirr(0);
        frame->moveX().setText(QStringLiteral("1"));
        frame->Command3_Click(1);
        QCOMPARE(s.frm->plotTables().paths[6].x, -19.0f);
        QCOMPARE(paneBytes(gfrm.pane()), unrelated);
        QVERIFY(s.dialogs.messages.empty());

        frame->close();
        QVERIFY(MDIMarlit::find(*s.frm) == nullptr);
        QCOMPARE(paneBytes(gfrm.pane()), unrelated);
        QVERIFY(!gfrm.isVisible());  // hidden before, hidden after
        QVERIFY(s.frm->isVisible());
    }

    void badExpansionsAreReported_data() {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing subprogram") << QByteArray("G01X1.Y1.\r\nM98P2000\r\n")
                                            << QStringLiteral("O2000が登録されていません");
        QTest::newRow("nothing to draw") << QByteArray("(ONLY A COMMENT)\r\nM30\r\n")
                                         << QStringLiteral("Ｇコードが確認出来ませんでした");
        QTest::newRow("jump back") << QByteArray("N10G01X1.Y1.\r\nGOTO10\r\n")
                                   << QStringLiteral("N10が見つかりませんでした");
    }

    void badExpansionsAreReported() {
        QFETCH(QByteArray, wire);
        QFETCH(QString, text);
        Session s;
        s.subprogram(QStringLiteral("O1000"), kCorner);
        setPane(s.frm->pane(), wire);
        MnuFUNACfmt_Click(*s.frm);

        QCOMPARE(s.dialogs.messageTexts(), QStringList{text});
        QVERIFY(MDIMarlit::find(*s.frm) == nullptr);
        QCOMPARE(s.frm->plotTables().PathCount, -1);
        QCOMPARE(paneBytes(s.frm->pane()), wire);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(WireCommandTest)
#include "WireCommandTest.moc"
