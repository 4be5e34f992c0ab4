// The DXF and Gerber exports of the G-code window: their option dialogs, and that
// the editor receives exactly what talmir-convert writes for the same options.
#include "EditorSession.h"
#include "ModalDialog.h"
#include "TestFiles.h"
#include "gui/base/TextPane.h"
#include "gui/export/DxfOutFrm.h"
#include "gui/export/GB_FMT.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

using namespace talmir;
using talmir::testing::bytesOf;
using talmir::testing::goldenBytes;
using talmir::testing::whenModal;

namespace {

struct Session : talmir::testing::EditorSession {
    GFrm& withProgram(const QByteArray& program) {
        GFrm& g = GFrm::of(*frm);
        g.pane().setShiftJis(std::string_view(program.constData(), program.size()));
        g.show();
        return g;
    }
    QByteArray editorBytes() { return bytesOf(frm->pane().shiftJis()); }
    std::string setting(const char* key) const { return store.value("Talmir", key); }
};

QStringList column(QTableWidget& grid, int index) {
    QStringList texts;
    for (int row = 0; row < grid.rowCount(); ++row) {
        texts << grid.item(row, index)->text();
    }
    return texts;
}

}  // namespace

class GFrmExportTest : public QObject {
    Q_OBJECT

private slots:
    void dxfGivesTheConverterBytes_data() {
        QTest::addColumn<QString>("goldenCase");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("common");
        QTest::newRow("all colours") << "program" << 0 << QString();
        QTest::newRow("layers before the first section")
            << "motion_before_first_section" << 0 << QString();
        // Typing the common colour with "同一色" chosen recolours every row.
        QTest::newRow("same colour") << "same_colour" << 1 << "3";
    }
    void dxfGivesTheConverterBytes() {
        QFETCH(QString, goldenCase);
        QFETCH(int, option);
        QFETCH(QString, common);
        Session s;
        GFrm& g = s.withProgram(goldenBytes(QStringLiteral("gcode2dxf/%1/input").arg(goldenCase)));
        QString title;
        whenModal([&](QWidget* widget) {
            auto* dialog = dynamic_cast<DxfOutFrm*>(widget);
            QVERIFY(dialog != nullptr);
            title = dialog->windowTitle();
            dialog->option(option).click();
            if (!common.isEmpty()) {
                dialog->commonColour().clear();
                QTest::keyClicks(&dialog->commonColour(), common);
            }
            dialog->command(0).click();
        });
        g.action("MnuNcDxf_Click")->trigger();
        QCOMPARE(title, QStringLiteral("DXFの色設定"));
        QCOMPARE(s.editorBytes(),
                 goldenBytes(QStringLiteral("gcode2dxf/%1/expected").arg(goldenCase)));
        QCOMPARE(s.frm->documentName(), g.windowTitle() + QStringLiteral(".dxf"));
        QCOMPARE(s.setting("DxfOption"), std::to_string(option));
        QCOMPARE(s.setting("DxfColor"), common.isEmpty() ? std::string("5") : common.toStdString());
        QVERIFY(s.dialogs.messages.empty());
    }

    void dxfCancelLeavesTheEditor() {
        Session s;
        s.frm->pane().setShiftJis("keep me");
        const QString name = s.frm->documentName();
        GFrm& g = s.withProgram(goldenBytes(QStringLiteral("gcode2dxf/program/input")));
        whenModal([](QWidget* widget) {
            auto* dialog = dynamic_cast<DxfOutFrm*>(widget);
            QVERIFY(dialog != nullptr);
            dialog->command(1).click();
        });
        g.action("Toolbar_DXF")->trigger();
        QCOMPARE(s.editorBytes(), QByteArray("keep me"));
        QCOMPARE(s.frm->documentName(), name);
        QCOMPARE(s.setting("DxfColor"), std::string("5"));
    }

    void dxfWithoutMotionShowsTheMessage() {
        Session s;
        s.frm->pane().setShiftJis("keep me");
        GFrm& g = s.withProgram("%\r\n(T1)\r\nM30\r\n");
        g.MnuNcDxf_Click();  // no dialog may open
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("変換可能なコマンドが、見つかりませんでした")});
        QCOMPARE(s.editorBytes(), QByteArray("keep me"));
    }

    void colourGridFollowsTheOptionsAndCells() {
        app::MemorySettingsStore store;
        DxfOutFrm dialog(store,
                         {QStringLiteral("(T1)"), QStringLiteral("(T2)"), QStringLiteral("(T3)")});
        QCOMPARE(dialog.grid().horizontalHeaderItem(0)->text(), QStringLiteral("画層名"));
        QCOMPARE(dialog.grid().horizontalHeaderItem(1)->text(), QStringLiteral("色番号"));
        QCOMPARE(column(dialog.grid(), 0), (QStringList{"(T1)", "(T2)", "(T3)"}));
        QCOMPARE(column(dialog.grid(), 1), (QStringList{"1", "2", "3"}));
        QVERIFY(!dialog.commonColour().isEnabled());

        // A clicked colour cell is edited through the cell box, keys 1 to 7 only.
        dialog.grid().setCurrentCell(1, 1);
        emit dialog.grid().cellClicked(1, 1);
        QVERIFY(dialog.cellEditor().isEnabled());
        QCOMPARE(dialog.cellEditor().text(), QStringLiteral("2"));
        dialog.cellEditor().selectAll();
        QTest::keyClicks(&dialog.cellEditor(), QStringLiteral("9"));
        QCOMPARE(dialog.grid().item(1, 1)->text(), QStringLiteral("2"));
        QTest::keyClicks(&dialog.cellEditor(), QStringLiteral("6"));
        QCOMPARE(dialog.grid().item(1, 1)->text(), QStringLiteral("6"));

        dialog.Option1_Click(1);
        QVERIFY(dialog.commonColour().isEnabled());
        QCOMPARE(column(dialog.grid(), 1), (QStringList{"5", "5", "5"}));
        QCOMPARE(store.value("Talmir", "DxfOption"), std::string("1"));
        dialog.Option1_Click(0);
        emit dialog.grid().cellClicked(2, 1);
        dialog.cellEditor().clear();
        emit dialog.cellEditor().textEdited(QString());  // an emptied cell exports 0
        dialog.Command1_Click(0);
        QVERIFY(dialog.colours().has_value());
        QCOMPARE(*dialog.colours(), (std::vector<double>{1, 2, 0}));
    }

    void colourDialogLoadsItsSettings_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("same colour") << "1"
                                     << "4" << QStringList{"4", "4"};
        QTest::newRow("stored colour out of range") << "1"
                                                    << "9" << QStringList{"5", "5"};
        QTest::newRow("all colours") << "0"
                                     << "4" << QStringList{"1", "2"};
    }
    void colourDialogLoadsItsSettings() {
        QFETCH(QString, option);
        QFETCH(QString, colour);
        QFETCH(QStringList, rows);
        app::MemorySettingsStore store;
        store.setValue("Talmir", "DxfOption", option.toStdString());
        store.setValue("Talmir", "DxfColor", colour.toStdString());
        DxfOutFrm dialog(store, {QStringLiteral("A"), QStringLiteral("B")});
        QVERIFY(dialog.option(option.toInt()).isChecked());
        QCOMPARE(column(dialog.grid(), 1), rows);
        dialog.Command1_Click(1);
        QVERIFY(!dialog.colours().has_value());
    }

    void igesFromTheTreeViewExportsTheWholeProgram() {
        Session s;
        GFrm& g = s.withProgram("(A)\r\nG00X0Y0\r\nG01X1Y0\r\n(B)\r\nG00X5Y5\r\nG01X6Y5\r\n");
        QVERIFY(g.TextOrTree(1));
        g.action("MnuIges_Click")->trigger();
        QVERIFY(!g.isTreeView());
        // One line entity (a parameter record "110,...") per G01 of both sections.
        QCOMPARE(s.editorBytes().count("\n110,"), 2);
    }

    void gerberGivesTheConverterBytes_data() {
        QTest::addColumn<QString>("goldenCase");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("blockEnd");
        QTest::addColumn<bool>("rs274x");
        QTest::newRow("defaults") << "program" << -1 << -1 << false;
        QTest::newRow("unit 0, CR LF") << "unit0_crlf" << 0 << 2 << false;
        QTest::newRow("RS-274X") << "rs274x" << -1 << -1 << true;
        QTest::newRow("RS-274X, unit 0, LF") << "rs274x_unit0_lf" << 0 << 1 << true;
    }
    void gerberGivesTheConverterBytes() {
        QFETCH(QString, goldenCase);
        QFETCH(int, unit);
        QFETCH(int, blockEnd);
        QFETCH(bool, rs274x);
        Session s;
        GFrm& g =
            s.withProgram(goldenBytes(QStringLiteral("gcode2gerber/%1/input").arg(goldenCase)));
        whenModal([&](QWidget* widget) {
            auto* dialog = dynamic_cast<GB_FMT*>(widget);
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Ｇコードをガーバー形式へ変換"));
            QVERIFY(!dialog->rs274x().isChecked());
            if (unit >= 0) {
                dialog->unitOption(unit).click();
            }
            if (blockEnd >= 0) {
                dialog->blockEndOption(blockEnd).click();
            }
            if (rs274x) {
                dialog->rs274x().click();
            }
            dialog->command1().click();
        });
        g.action("MnuNcGbr_Click")->trigger();
        QCOMPARE(s.editorBytes(),
                 goldenBytes(QStringLiteral("gcode2gerber/%1/expected").arg(goldenCase)));
        QCOMPARE(s.frm->documentName(), g.windowTitle() + QStringLiteral(".gbr"));
    }

    // The Gerber export shows its progress on the G-code window's own bar and leaves
    // the editor's alone; the bar is empty again at the end.
    void gerberProgressIsOnTheWindowsOwnBar() {
        Session s;
        GFrm& g = s.withProgram(goldenBytes(QStringLiteral("gcode2gerber/program/input")));
        auto* own = g.findChild<QProgressBar*>();
        QVERIFY(own != nullptr);
        own->reset();  // -1: any value the command sets is a change
        s.frm->progressBar().reset();
        QSignalSpy moved(own, &QProgressBar::valueChanged);
        whenModal([](QWidget* widget) { dynamic_cast<GB_FMT&>(*widget).command1().click(); });
        g.action("MnuNcGbr_Click")->trigger();
        QVERIFY(!moved.isEmpty());
        QCOMPARE(own->value(), 0);
        QCOMPARE(s.frm->progressBar().value(), -1);
    }

    void gerberOptionsGoWhenTheDialogIsClosedAgain() {
        GB_FMT dialog;
        dialog.unitOption(0).click();
        dialog.command1().click();
        QVERIFY(dialog.options().has_value());
        QCOMPARE(dialog.options()->unit, 0);
        // Opened again and left with Esc or the close box: nothing was chosen.
        dialog.reject();
        QVERIFY(!dialog.options().has_value());
    }

    void gerberCancelAndNothingToConvertLeaveTheEditor() {
        Session s;
        s.frm->pane().setShiftJis("keep me");
        const QString name = s.frm->documentName();
        GFrm& g = s.withProgram(goldenBytes(QStringLiteral("gcode2gerber/program/input")));
        whenModal([](QWidget* widget) { dynamic_cast<GB_FMT&>(*widget).command2().click(); });
        g.MnuNcGbr_Click();
        QCOMPARE(s.editorBytes(), QByteArray("keep me"));
        QCOMPARE(s.frm->documentName(), name);
        QVERIFY(s.dialogs.messages.empty());

        g.pane().setShiftJis("(T1)\r\nG01X1.Y1.\r\nM30\r\n");
        whenModal([](QWidget* widget) { dynamic_cast<GB_FMT&>(*widget).command1().click(); });
        g.MnuNcGbr_Click();
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("変換可能なコマンドが、見つかりませんでした")});
        QCOMPARE(s.editorBytes(), QByteArray("keep me"));
    }
};

QTEST_MAIN(GFrmExportTest)
#include "GFrmExportTest.moc"
