// Printing from the graphic frame: the panel, the paper box over the plot and the
// page printed where it is clicked.
#include "EditorSession.h"
#include "GraphSession.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/graphic/PrintPanel.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>
#include <QRadioButton>
#include <QtTest>

using namespace talmir;
using talmir::testing::readBytes;

namespace {

const QByteArray kProgram = "(CUT)\r\nG00X0Y0\r\nG01X100Y0\r\nG01X100Y50\r\nG81X20Y20\r\nM30\r\n";

}  // namespace

class GraphPrintTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        MDIMarlit* frame = nullptr;

        Session() {
            frame = &talmir::testing::openGraph(*frm, kProgram);
            frame->printer().setOutputFormat(QPrinter::PdfFormat);
            frame->printer().setOutputFileName(scratch.path(QStringLiteral("page.pdf")));
        }
        CvGrph& graph() { return frame->graph(); }
        PrintPanel& panel() { return frame->printPanel(); }
        QSizeF printableMm() const {
            return frame->printer().pageLayout().paintRect(QPageLayout::Millimeter).size();
        }
    };

private slots:
    void theBoxFollowsTheMouseAndAClickPrints() {
        Session s;
        s.store.setNumber("Grph", "Pw", 3);
        s.store.setNumber("Grph", "Psiz", 2);  // A4
        s.frame->action("Toolbar_PRINT")->trigger();
        QVERIFY(s.panel().isVisible());
        QCOMPARE(s.panel().pointSize().currentIndex(), 3);
        QCOMPARE(s.panel().lineWidth().currentIndex(), 1);  // not stored: the default
        QCOMPARE(s.panel().paper().currentText(), QStringLiteral("A4"));
        QVERIFY(!s.frame->menu("MnuFile")->menuAction()->isEnabled());
        QVERIFY(!s.frame->action("Popup_Home")->isEnabled());
        // White paper while a print is placed.
        QCOMPARE(s.graph().image().pixelColor(s.graph().width() - 2, 2), QColor(Qt::white));
        QCOMPARE(s.graph().RubberBoxWidth, static_cast<float>(s.printableMm().width()));
        QCOMPARE(s.graph().RubberBoxHeight, static_cast<float>(s.printableMm().height()));

        // Over the plot the box appears at the mouse: its corner pixel is inverted.
        const QPoint at(20, 20);
        QTest::mouseMove(&s.graph(), at);
        QCOMPARE(s.graph().CommandState(), CvGrph::kPaperBox);
        QCOMPARE(s.graph().image().pixelColor(at), QColor(Qt::black));
        // Over the panel it goes away.
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(&s.panel(), &enter);
        QCOMPARE(s.graph().CommandState(), CvGrph::kPaperBoxAway);
        QCOMPARE(s.graph().image().pixelColor(at), QColor(Qt::white));

        QTest::mouseMove(&s.graph(), at);
        QTest::mouseClick(&s.graph(), Qt::LeftButton, Qt::NoModifier, at);
        const QByteArray pdf = readBytes(s.scratch.path(QStringLiteral("page.pdf")));
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.contains("/Count 1"));
        // The panel closes after the print and keeps its choices.
        QVERIFY(!s.panel().isVisible());
        QCOMPARE(s.graph().CommandState(), CvGrph::kIdle);
        QVERIFY(s.frame->menu("MnuFile")->menuAction()->isEnabled());
        QCOMPARE(s.store.getNumber("Grph", "Pw", -1), 3.0);
        QCOMPARE(s.store.getNumber("Grph", "Dw", -1), 1.0);
        QCOMPARE(s.store.getNumber("Grph", "Psiz", -1), 2.0);
        QVERIFY(s.graph().image().pixelColor(s.graph().width() - 2, 2) != QColor(Qt::white));
    }

    void scaleAndPaperSizeTheBox() {
        Session s;
        s.frame->MnuPrint_Click();
        s.panel().scaleBox().setText(QStringLiteral("2"));
        emit s.panel().scaleBox().editingFinished();
        QCOMPARE(s.panel().scaleBox().text(), QStringLiteral("2.000"));
        QCOMPARE(s.graph().RubberBoxWidth, static_cast<float>(s.printableMm().width() / 2));
        // A scale of 0.1 or less is taken as 1.
        s.panel().scaleBox().setText(QStringLiteral("0.05"));
        emit s.panel().scaleBox().editingFinished();
        QCOMPARE(s.panel().scaleBox().text(), QStringLiteral("1.000"));
        QCOMPARE(s.graph().RubberBoxWidth, static_cast<float>(s.printableMm().width()));

        const float portraitWidth = s.graph().RubberBoxWidth;
        s.panel().landscape().setChecked(true);
        QCOMPARE(s.frame->printer().pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(s.graph().RubberBoxWidth > portraitWidth);
        s.panel().paper().setCurrentIndex(3);  // A3
        QCOMPARE(s.frame->printer().pageLayout().pageSize().id(), QPageSize::A3);
    }

    void escapeClosesThePanelWithoutPrinting() {
        Session s;
        s.frame->MnuPrint_Click();
        QTest::keyClick(&s.graph(), Qt::Key_Escape);
        QVERIFY(!s.panel().isVisible());
        QCOMPARE(s.graph().CommandState(), CvGrph::kIdle);
        QVERIFY(!QFile::exists(s.scratch.path(QStringLiteral("page.pdf"))));
        QVERIFY(s.frame->action("Popup_Print")->isEnabled());
    }
};

QTEST_MAIN(GraphPrintTest)
#include "GraphPrintTest.moc"
