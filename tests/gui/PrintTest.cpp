// The font command and printing: the stored font keys with their two bold
// defaults, the printer set-up, and listings printed to PDF and read back.
#include "EditorSession.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "gui/base/EditorFont.h"
#include "gui/base/TextPane.h"
#include "gui/base/TextPrinter.h"
#include "gui/editor/FontPrintCommands.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QApplication>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace talmir;

class PrintTest : public QObject {
    Q_OBJECT

private:
    using Session = talmir::testing::EditorSession;

    // Passes every dialog on and keeps the font each font dialog was preset with.
    class FontPresets final : public Dialogs {
    public:
        explicit FontPresets(Dialogs& inner) : m_inner(inner) {}
        std::vector<QFont> shown;

        void message(QWidget* p, const QString& t, const QString& title, MessageIcon i) override {
            m_inner.message(p, t, title, i);
        }
        bool askYesNo(QWidget* p, const QString& t, const QString& title) override {
            return m_inner.askYesNo(p, t, title);
        }
        Answer askYesNoCancel(QWidget* p, const QString& t, const QString& title) override {
            return m_inner.askYesNoCancel(p, t, title);
        }
        std::optional<QString> openFile(QWidget* p, const FileDialogRequest& r) override {
            return m_inner.openFile(p, r);
        }
        std::optional<QString> saveFile(QWidget* p, const FileDialogRequest& r) override {
            return m_inner.saveFile(p, r);
        }
        std::optional<QColor> color(QWidget* p, const QColor& c) override {
            return m_inner.color(p, c);
        }
        std::optional<QFont> font(QWidget* p, const QFont& initial) override {
            shown.push_back(initial);
            return m_inner.font(p, initial);
        }
        bool printerSetup(QWidget* p, QPrinter& printer) override {
            return m_inner.printerSetup(p, printer);
        }
        QString inputLine(QWidget* p, const QString& initial) override {
            return m_inner.inputLine(p, initial);
        }

    private:
        Dialogs& m_inner;
    };

    // The text of a PDF as pdftotext reads it, one string per line.
    static QStringList pdfLines(const QString& pdf) {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    }

    static int pdfPages(const QString& pdf) {
        QProcess process;
        process.start(QStringLiteral("pdfinfo"), {pdf});
        process.waitForFinished(30000);
        const QString info = QString::fromUtf8(process.readAllStandardOutput());
        const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

private slots:
    void init() {
        // Listings are checked on PDF files read back with poppler's tools; the
        // font and set-up cases need neither.
        const QByteArray name = QTest::currentTestFunction();
        if (name != "printsTheWholeTextToPdf" && name != "fullPagesStartNewOnes" &&
            name != "failuresAreReported") {
            return;
        }
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
        }
        if (!noPrinterInstalled()) {
            QSKIP("a printer is installed: listings would not go to a PDF file");
        }
    }

    void boldDefaultsDiffer() {
        Session s;
        QVERIFY(!s.frm->pane().font().bold());
        const QFont print = storedPrintFont(s.store);
        QVERIFY(print.bold());
        QVERIFY(!print.italic());
        QCOMPARE(print.pointSizeF(), 12.0);
        QCOMPARE(print.family(), displayFamily(QStringLiteral("ＭＳ 明朝")));
        s.store.setBool("Font", "FontBold", false);
        QVERIFY(!storedPrintFont(s.store).bold());
    }

    void fontDialogIsPresetWithTheStoredFont() {
        talmir::testing::ScriptedDialogs scripted;
        FontPresets dialogs(scripted);
        app::MemorySettingsStore store;
        talmir::testing::ScratchFolders scratch;
        EditFrm frm(store, dialogs, scratch.folders());
        frm.Form_Load({});
        MnuFont_Click(frm);
        store.setText("Font", "FontName", "IPAGothic");
        store.setNumber("Font", "FontSize", 9.5);
        store.setBool("Font", "FontBold", false);
        store.setBool("Font", "FontItalic", true);
        MnuFont_Click(frm);
        QCOMPARE(dialogs.shown.size(), std::size_t{2});
        // Until a font is chosen the dialog offers bold, unlike the pane.
        QVERIFY(dialogs.shown[0].bold());
        QCOMPARE(dialogs.shown[0].pointSizeF(), 12.0);
        QCOMPARE(dialogs.shown[0].family(), displayFamily(QStringLiteral("ＭＳ 明朝")));
        QCOMPARE(dialogs.shown[1].family(), QStringLiteral("IPAGothic"));
        QCOMPARE(dialogs.shown[1].pointSizeF(), 9.5);
        QVERIFY(!dialogs.shown[1].bold());
        QVERIFY(dialogs.shown[1].italic());
    }

    void cancelledFontDialogChangesNothing() {
        Session s;
        const QFont before = s.frm->pane().font();
        QVERIFY(s.frm->action("MnuFont_Click")->isEnabled());
        s.frm->action("MnuFont_Click")->trigger();
        QCOMPARE(s.dialogs.unanswered, 1);
        QVERIFY(!s.store.contains("Font", "FontName"));
        QVERIFY(!s.store.contains("Font", "FontBold"));
        QCOMPARE(s.frm->pane().font(), before);
        QVERIFY(s.dialogs.messages.empty());
    }

    void chosenFontIsStoredAndShownAtTheNextStart() {
        Session s;
        QFont chosen(QStringLiteral("IPAGothic"));
        chosen.setPointSizeF(15);
        chosen.setItalic(true);
        s.dialogs.fonts.push_back(chosen);
        MnuFont_Click(*s.frm);
        QCOMPARE(s.store.getText("Font", "FontName", ""), std::string("IPAGothic"));
        QCOMPARE(s.store.getNumber("Font", "FontSize", 0), 15.0);
        QCOMPARE(s.store.getText("Font", "FontBold", ""), std::string("False"));
        QCOMPARE(s.store.getText("Font", "FontItalic", ""), std::string("True"));
        QCOMPARE(s.frm->pane().font().family(), QStringLiteral("IPAGothic"));
        QVERIFY(s.frm->pane().font().italic());
        EditFrm& next = s.start();
        QCOMPARE(next.pane().font().family(), QStringLiteral("IPAGothic"));
        QCOMPARE(next.pane().font().pointSizeF(), 15.0);
        QVERIFY(next.pane().font().italic());
        QVERIFY(!next.pane().font().bold());
    }

    void acceptingTheStandInKeepsTheStoredFace() {
        Session s;
        s.dialogs.fonts.push_back(storedPrintFont(s.store));
        MnuFont_Click(*s.frm);
        QCOMPARE(s.store.getText("Font", "FontName", ""), std::string("ＭＳ 明朝"));
        QCOMPARE(s.store.getText("Font", "FontBold", ""), std::string("True"));
        QVERIFY(s.frm->pane().font().bold());
    }

    void printerSetupCancelIsSilent() {
        Session s;
        s.frm->action("MnuPrintSet_Click")->trigger();
        QCOMPARE(s.dialogs.unanswered, 1);
        QVERIFY(s.dialogs.messages.empty());
        s.dialogs.printerSetups.push_back(true);
        MnuPrintSet_Click(*s.frm);
        QVERIFY(s.dialogs.messages.empty());
    }

    void printsTheWholeTextToPdf() {
        Session s;
        const QString pdf = s.scratch.path("listing.pdf");
        const std::string longLine = "LONG" + std::string(400, 'X') + "TAIL";
        // Kanji, half-width katakana, a blank line, a lone LF and a line wider
        // than the page.
        s.frm->pane().setShiftJis(
            "O1000(\x8a\xbf\x8e\x9a)\r\nG00X0Y0\r\n\r\n\xbb\xdd\xcc\xdf\xd9\n" + longLine +
            "\r\nM30");
        s.frm->setDocumentName(QStringLiteral("prog.nc"));
        s.dialogs.files.push_back(pdf);
        s.frm->action("MnuPrint_Click")->trigger();
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(s.dialogs.fileRequests.back().fileName, QStringLiteral("prog.nc.pdf"));
        QStringList lines = pdfLines(pdf);
        for (QString& line : lines) {
            line = line.trimmed();
        }
        lines.removeAll(QString());
        QCOMPARE(lines.value(0), QStringLiteral("O1000(漢字)"));
        QCOMPARE(lines.value(1), QStringLiteral("G00X0Y0"));
        QCOMPARE(lines.value(2), QStringLiteral("ｻﾝﾌﾟﾙ"));
        // The wide line is cut at the page edge, never wrapped onto a second line.
        QVERIFY(lines.value(3).startsWith(QStringLiteral("LONGXXXX")));
        QCOMPARE(lines.value(4), QStringLiteral("M30"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(pdfPages(pdf), 1);
        // The next print asks for its file again.
        s.frm->action("MnuPrint_Click")->trigger();
        QCOMPARE(s.dialogs.unanswered, 1);
    }

    void fullPagesStartNewOnes() {
        talmir::testing::ScratchFolders scratch;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(scratch.path("pages.pdf"));
        QFont font(displayFamily(QStringLiteral("ＭＳ 明朝")));
        font.setPointSizeF(12);
        std::string text;
        for (int i = 1; i <= 150; ++i) {
            text += "N" + std::to_string(i) + "\r\n";
        }
        const int pages = printTextListing(printer, font, text);
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        QCOMPARE(pdfPages(scratch.path("pages.pdf")), pages);
        QStringList lines = pdfLines(scratch.path("pages.pdf"));
        lines.replaceInStrings(QRegularExpression(QStringLiteral("[\\s\\f]")), QString());
        lines.removeAll(QString());
        QCOMPARE(lines.size(), 150);
        QCOMPARE(lines.front(), QStringLiteral("N1"));
        QCOMPARE(lines.back(), QStringLiteral("N150"));
    }

    void failuresAreReported() {
        Session s;
        s.frm->pane().setShiftJis("G00");
        s.dialogs.files.push_back(s.scratch.path("no/such/folder/listing.pdf"));
        MnuPrint_Click(*s.frm);
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("エラー番号 : 482\nプリンタ エラーです。")});
        QCOMPARE(s.frm->pane().shiftJis(), std::string("G00"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        // A cancelled file dialog prints nothing and says nothing.
        MnuPrint_Click(*s.frm);
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
