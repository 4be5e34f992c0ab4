// The drill-data import: NC_FMT opens with the guessed format, its enabling rules,
// the codes it will not run without, and the holes in the hole-data window.
#include "EditorSession.h"
#include "ModalDialog.h"
#include "TestFiles.h"
#include "gui/base/TextPane.h"
#include "gui/import/NC_FMT.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/NcFrm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::whenModalIs;

namespace {

QByteArray golden(const char* relative) {
    return readBytes(QStringLiteral(TALMIR_GOLDEN_DIR "/") + QLatin1String(relative));
}

}  // namespace

class NcFmtTest : public QObject {
    Q_OBJECT

private slots:
    void guessedOptionsBringTheHolesIntoTheWindow() {
        talmir::testing::EditorSession s;
        const QByteArray drill = golden("holes/guessed_inch_tz/input");
        s.frm->pane().setShiftJis(std::string_view(drill.constData(), drill.size()));
        s.frm->setDocumentName(QStringLiteral("uno.drd"));
        QVERIFY(s.frm->action("MnuHolFmt_Click")->isEnabled());
        whenModalIs<NC_FMT>([](NC_FMT& dialog) {
            QVERIFY(dialog.Option1(11).isChecked());  // INCH 2.4 TZ
            QVERIFY(dialog.Option4(1).isChecked());
            QVERIFY(!dialog.guessLine().isHidden());
            QVERIFY(dialog.guessLine().text().contains(QStringLiteral("INCH 2.4 TZ")));
            dialog.command1().click();
        });
        s.frm->action("MnuHolFmt_Click")->trigger();
        NcFrm* nc = NcFrm::find(*s.frm);
        QVERIFY(nc != nullptr && nc->isVisible());
        QCOMPARE(nc->windowTitle(), QStringLiteral("uno"));
        const std::string holes = nc->pane().shiftJis();
        QCOMPARE(QByteArray(holes.data(), static_cast<qsizetype>(holes.size())),
                 golden("holes/guessed_inch_tz/expected"));
        QCOMPARE(s.frm->pane().shiftJis(), std::string(drill.constData()));  // kept
    }

    void tooManyToolsIsAWarningOfItsOwn() {
        talmir::testing::EditorSession s;
        const QByteArray flashes = golden("holes/too_many_d_codes/input");
        s.frm->pane().setShiftJis(std::string_view(flashes.constData(), flashes.size()));
        whenModalIs<NC_FMT>([](NC_FMT& dialog) {
            dialog.Option3(1).click();  // the holes of D03 flashes
            dialog.command1().click();
        });
        s.frm->action("MnuHolFmt_Click")->trigger();
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(s.dialogs.messages[0].text, QStringLiteral("ツール項目数が99を超えています。"));
        QCOMPARE(s.dialogs.messages[0].title, QStringLiteral("エラーメッセージ"));
        QCOMPARE(s.dialogs.messages[0].icon, MessageIcon::Warning);
        QVERIFY(NcFrm::find(*s.frm) == nullptr || !NcFrm::find(*s.frm)->isVisible());
    }

    void rulesEnableTheirCodesAndEmptyCodesKeepTheDialogOpen() {
        NC_FMT dialog;
        QVERIFY(!dialog.Text1().isEnabled() && !dialog.Text3(0).isEnabled());
        QVERIFY(!dialog.Text2().isEnabled());
        dialog.Option4(1).click();
        QVERIFY(dialog.Text2().isEnabled());
        dialog.Option3(1).click();
        QVERIFY(dialog.Text1().isEnabled());
        QCOMPARE(dialog.Text1().text(), QStringLiteral("D03"));
        // Gerber flash data: the D codes are the tools.
        QVERIFY(!dialog.Option4(0).isEnabled() && !dialog.Text2().isEnabled());
        dialog.Text1().setText(QStringLiteral("M89"));
        QVERIFY(dialog.Option4(0).isEnabled() && dialog.Text2().isEnabled());
        dialog.Option3(2).click();
        QVERIFY(!dialog.Text1().isEnabled() && dialog.Text3(1).isEnabled());
        dialog.Text3(1).clear();
        dialog.show();
        dialog.command1().click();
        QVERIFY(!dialog.options().has_value());
        QVERIFY(dialog.isVisible());
        dialog.Text3(1).setText(QStringLiteral("G80"));
        dialog.command1().click();
        QVERIFY(dialog.options().has_value());
        QCOMPARE(dialog.options()->cancelCode, std::string("G80"));
    }
};

QTEST_MAIN(NcFmtTest)
#include "NcFmtTest.moc"
