// The editor window's document: load, append, the three saves and clear, byte
// for byte.
#include "EditorSession.h"
#include "TestFiles.h"
#include "core/text/ShiftJis.h"
#include "gui/base/PaneText.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QProgressBar>
#include <QUrl>
#include <QtTest>

#include <signal.h>
#include <sys/resource.h>
#include <memory>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

class EditFrmDocumentTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        void load(const QString& path) {
            dialogs.files.push_back(path);
            frm->MnuLoad_Click();
        }
    };

    // Shift-JIS with kanji, half-width katakana, bytes that are not Shift-JIS
    // (0x80, 0xA0, 0xFD-0xFF, a lead byte before a line end) and a NUL.
    static QByteArray awkwardShiftJis() {
        return QByteArray(
            "(\x89\xc1\x8d\x48 \xbb\xdd\xcc\xdf\xd9)\r\n"
            "G00X0Y0\x80\xa0\xfd\xfe\xff\r\n"
            "\x81\r\n"
            "N\0UL\r\n"
            "   \r\n"
            "\r\n"
            "M30\r\n",
            49);
    }

    // One plot line of about `bytes` bytes, as a one-line HPGL file holds.
    static QByteArray plotLine(int bytes) {
        QByteArray line = "IN;";
        for (int k = 0; line.size() < bytes; ++k) {
            line += "PU" + QByteArray::number(k % 9000) + ",0;PD" + QByteArray::number(k % 5000) +
                    ",0;";
        }
        return line;
    }

private slots:
    void initTestCase() { QVERIFY(awkwardShiftJis().contains(QByteArray("N\0UL", 4))); }

    void saveRoundTrip_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray awkward = awkwardShiftJis();
        QByteArray withoutEmpty = awkward;
        withoutEmpty.replace("   \r\n\r\n", "   \r\n");
        QTest::newRow("shift-jis and invalid bytes, crlf")
            << awkward << "MnuSave_Click" << withoutEmpty;
        QByteArray lf = withoutEmpty;
        lf.replace("\r\n", "\n");
        QTest::newRow("shift-jis and invalid bytes, lf") << awkward << "MnuLFsave_Click" << lf;
        QTest::newRow("empty line dropped, cr")
            << QByteArray("G00X0Y0\n\nM30") << "MnuCRsave_Click" << QByteArray("G00X0Y0\rM30\r");
        QTest::newRow("lone lf read as line ends, crlf")
            << QByteArray("G00X0Y0\nM30\n") << "MnuSave_Click" << QByteArray("G00X0Y0\r\nM30\r\n");
        QTest::newRow("empty file") << QByteArray() << "MnuSave_Click" << QByteArray();
    }

    void saveRoundTrip() {
        QFETCH(QByteArray, file);
        QFETCH(QString, handler);
        QFETCH(QByteArray, saved);
        Session s;
        const QString in = s.scratch.path("in.nc");
        const QString out = s.scratch.path("out.nc");
        writeBytes(in, file);
        s.load(in);
        QCOMPARE(QByteArray::fromStdString(s.frm->pane().shiftJis()), file);
        s.dialogs.files.push_back(out);
        s.frm->action(handler.toStdString())->trigger();
        QCOMPARE(readBytes(out), saved);
        QVERIFY(s.dialogs.messages.empty());
        // Save offers the document name and changes neither it nor the recent list.
        QCOMPARE(s.dialogs.fileRequests.back().fileName, QStringLiteral("in.nc"));
        QCOMPARE(s.frm->documentName(), QStringLiteral("in.nc"));
        QCOMPARE(s.store.getText("Editfrm", "File2", ""), std::string());
        // Only the CR LF save leaves its snapshot behind.
        QCOMPARE(QFile::exists(s.scratch.appFile("BAK.DAT")), handler == "MnuSave_Click");
    }

    void append_data() {
        QTest::addColumn<QByteArray>("pane");
        QTest::addColumn<QByteArray>("joined");
        const QByteArray file("\x82\xa0G01X1\r\nM02\r\n");
        QTest::newRow("joins the last line")
            << QByteArray("O1000\r\nM30") << QByteArray("O1000\r\nM30") + file;
        QTest::newRow("after a line end starts a line")
            << QByteArray("O1000\r\nM30\r\n") << QByteArray("O1000\r\nM30\r\n") + file;
        QTest::newRow("pane line ends become CR LF")
            << QByteArray("O1000\nM30") << QByteArray("O1000\r\nM30") + file;
        QTest::newRow("empty pane") << QByteArray() << file;
    }

    void append() {
        QFETCH(QByteArray, pane);
        QFETCH(QByteArray, joined);
        Session s;
        const QString second = s.scratch.path("b.nc");
        writeBytes(second, "\x82\xa0G01X1\r\nM02\r\n");
        s.frm->pane().setShiftJis(pane.toStdString());
        s.dialogs.files.push_back(second);
        s.frm->MnuTuikaLoad_Click();
        QCOMPARE(QByteArray::fromStdString(s.frm->pane().shiftJis()), joined);
        QCOMPARE(s.frm->documentName(), QStringLiteral("b.nc"));
        QCOMPARE(s.store.getText("Editfrm", "File1", ""), second.toStdString());
        QVERIFY(!QFile::exists(s.scratch.appFile("BAK.DAT")));
    }

    void failedSaveKeepsTheOldFile() {
        Session s;
        const QString target = s.scratch.path("target.nc");
        writeBytes(target, "OLD CONTENT\r\n");
        s.frm->pane().setShiftJis(std::string(1 << 20, 'X'));
        // Writes beyond 64 KB fail (as on a full disk).
        signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limited = old;
        limited.rlim_cur = 64 * 1024;
        setrlimit(RLIMIT_FSIZE, &limited);
        s.dialogs.files.push_back(target);
        s.frm->MnuLFsave_Click();
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(readBytes(target), QByteArray("OLD CONTENT\r\n"));
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY(s.dialogs.messages[0].text.startsWith(QStringLiteral("エラー番号 : ")));
        QCOMPARE(s.dialogs.messages[0].icon, MessageIcon::Warning);
        QCOMPARE(QDir(s.scratch.path("")).entryList(QDir::Files), QStringList{"target.nc"});
        QCOMPARE(s.frm->progressBar().value(), 0);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void unreadableFileLeavesTheText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("report");
        QTest::newRow("missing") << "none.nc"
                                 << "エラー番号 : 53\nファイルが見つかりません。";
        QTest::newRow("a folder") << "folder"
                                  << "エラー番号 : 75\nパス/ファイル アクセス エラーです。";
    }

    void unreadableFileLeavesTheText() {
        QFETCH(QString, name);
        QFETCH(QString, report);
        Session s;
        QDir().mkpath(s.scratch.path("folder"));
        s.frm->pane().setShiftJis("KEEP");
        s.frm->setDocumentName("keep.nc");
        s.load(s.scratch.path(name));
        s.dialogs.files.push_back(s.scratch.path(name));
        s.frm->MnuTuikaLoad_Click();
        QCOMPARE(s.dialogs.messageTexts(), (QStringList{report, report}));
        QCOMPARE(s.frm->pane().shiftJis(), std::string("KEEP"));
        QCOMPARE(s.frm->documentName(), QStringLiteral("keep.nc"));
        QCOMPARE(s.store.getText("Editfrm", "File1", ""), std::string());
    }

    void cancelledDialogsDoNothing() {
        Session s;
        s.frm->pane().setShiftJis("KEEP");
        s.frm->MnuLoad_Click();
        s.frm->MnuTuikaLoad_Click();
        s.frm->MnuSave_Click();
        QCOMPARE(s.dialogs.unanswered, 3);
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(s.frm->pane().shiftJis(), std::string("KEEP"));
        QVERIFY(!QFile::exists(s.scratch.appFile("BAK.DAT")));
    }

    void clear_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("No changes nothing") << false;
        QTest::newRow("Yes empties text and name") << true;
    }

    void clear() {
        QFETCH(bool, answer);
        Session s;
        const QString in = s.scratch.path("in.nc");
        writeBytes(in, "G00X0\r\n");
        s.load(in);
        s.dialogs.yesNo.push_back(answer);
        s.frm->MnuCrear_Click();
        QCOMPARE(s.dialogs.questions, QStringList{"データを消去してよいですか"});
        QCOMPARE(s.frm->pane().shiftJis(), answer ? std::string() : std::string("G00X0\r\n"));
        QCOMPARE(s.frm->documentName(), answer ? QString() : QStringLiteral("in.nc"));
        s.dialogs.files.push_back(std::nullopt);
        s.frm->MnuSave_Click();
        QCOMPARE(s.dialogs.fileRequests.back().fileName,
                 answer ? QString() : QStringLiteral("in.nc"));
    }

    void droppedFileIsLoaded() {
        Session s;
        const QString a = s.scratch.path("drop a.nc");
        writeBytes(a, "DROPPED");
        writeBytes(s.scratch.path("b.nc"), "OTHER");
        s.frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.frm.get()));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(s.scratch.path("b.nc"))});
        QWidget* target = s.frm->pane().viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCOMPARE(s.frm->pane().shiftJis(), std::string("DROPPED"));
        QCOMPARE(s.frm->documentName(), QStringLiteral("drop a.nc"));
    }

    // A one-line plot file of a few megabytes, as the HPGL export writes and
    // plotters take: the pane shows it in display lines and the document keeps
    // its bytes through search, typing, undo and save.
    void longLineIsShownSearchedEditedAndSaved() {
        Session s;
        QByteArray line = "IN;SP1;\x8a\xbf\x8e\x9a\x80;";  // kanji and a byte that is not Shift-JIS
        for (int k = 0; line.size() < 3 * 1024 * 1024; ++k) {
            line += "PU" + QByteArray::number(k % 9000) + "," + QByteArray::number(k % 7000) +
                    ";PD" + QByteArray::number(k % 5000) + ",0;";
            if (k == 150000) {
                line += "LBFOUND;SPAN" + QByteArray(5000, '7');  // no separator for 5000 bytes
            }
        }
        const QByteArray file = line + "\r\n";
        const QString in = s.scratch.path("plot.hpl");
        writeBytes(in, file);
        s.frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.frm.get()));
        s.load(in);
        TextPane& pane = s.frm->pane();
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(QByteArray::fromStdString(pane.shiftJis()), file);
        QVERIFY2(pane.lines() > file.size() / int(TextPane::kDisplayLineBytes),
                 "the editing component no longer takes U+2028 as a line end, so a long line "
                 "is laid out whole");
        for (int k = 0; k < pane.lines(); k += 997) {
            QVERIFY(pane.text(k).toUtf8().size() <= int(TextPane::kDisplayLineBytes) + 3);
        }
        const QString unedited = s.scratch.path("unedited.hpl");
        s.dialogs.files.push_back(unedited);
        s.frm->MnuSave_Click();
        QCOMPARE(readBytes(unedited), file);

        // The found text runs across a display line break.
        s.frm->searchBox().setEditText("LBFOUND;SPAN");
        s.frm->action("Command1_Click")->trigger();
        QVERIFY(s.dialogs.messages.empty());
        const std::string_view utf8 = pane.utf8View();
        const auto selected = [&](int message) {
            return charIndexOfUtf8Offset(utf8,
                                         static_cast<std::size_t>(pane.SendScintilla(message)));
        };
        const std::size_t found = selected(TextPane::SCI_GETSELECTIONSTART);
        const auto at = static_cast<std::size_t>(file.indexOf("LBFOUND"));
        QCOMPARE(found, text::charCount(std::string_view(file.constData(), at)));
        QCOMPARE(selected(TextPane::SCI_GETSELECTIONEND) - found, std::size_t{12});

        QTest::keyClicks(&pane, "EDITED");
        QByteArray edited = file;
        edited.replace("LBFOUND;SPAN", "EDITED");
        QCOMPARE(QByteArray::fromStdString(pane.shiftJis()), edited);
        const QString saved = s.scratch.path("edited.hpl");
        s.dialogs.files.push_back(saved);
        s.frm->MnuSave_Click();
        QCOMPARE(readBytes(saved), edited);
        while (pane.isUndoAvailable()) {
            pane.undo();
        }
        QCOMPARE(QByteArray::fromStdString(pane.shiftJis()), file);
    }

    // Text copied or cut across a display line break is the file's own bytes.
    void copyAndCutAcrossADisplayBreakTakeTheFileBytes() {
        Session s;
        const QByteArray file = "G00\r\n" + plotLine(20000) + "\r\nM30\r\n";
        s.frm->pane().setShiftJis(file.toStdString());
        TextPane& pane = s.frm->pane();
        const std::string_view utf8 = pane.utf8View();
        const std::size_t at = utf8.find(TextPane::kVirtualBreak, 3000);
        QVERIFY(at != std::string_view::npos);
        const auto from = static_cast<long>(at) - 20;
        const auto to = static_cast<long>(at + TextPane::kVirtualBreak.size()) + 20;
        const QByteArray slice =
            file.mid(qsizetype(charIndexOfUtf8Offset(utf8, static_cast<std::size_t>(from))), 40);
        pane.SendScintilla(TextPane::SCI_SETSEL, static_cast<unsigned long>(from), to);
        QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(slice));
        QApplication::clipboard()->clear();
        QTest::keyClick(&pane, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(slice));
        QByteArray cut = file;
        QCOMPARE(QByteArray::fromStdString(pane.shiftJis()), cut.remove(file.indexOf(slice), 40));
    }

    void insertionThatMakesALongLineBreaksIt_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("how");  // "paste", "type" or "drop" `text`
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray plot = plotLine(64 * 1024);
        const QByteArray line3000(3000, 'X');
        const QByteArray line4096(4096, 'X');
        QTest::newRow("short text into a short line keeps the component's line ends")
            << QByteArray("G00X0\r\nM30\r\n") << 3 << 3 << "paste" << QByteArray("Y1\nZ2")
            << QByteArray("G00Y1\r\nZ2X0\r\nM30\r\n");
        QTest::newRow("a long one-line text into a short line")
            << QByteArray("G00X0\r\nM30\r\n") << 3 << 3 << "paste" << plot
            << "G00" + plot + "X0\r\nM30\r\n";
        QTest::newRow("long lines with bare line ends over a selection")
            << QByteArray("G00X0\r\nM30\r\n") << 1 << 9 << "paste" << plot + "\n" + plot
            << "G" + plot + "\r\n" + plot + "0\r\n";
        QTest::newRow("a short paste that makes a short line long")
            << "N1\r\n" + line3000 + "\r\nM30" << 1500 << 1500 << "paste" << QByteArray(2000, 'Y')
            << "N1\r\n" + line3000.left(1496) + QByteArray(2000, 'Y') + line3000.mid(1496) +
                   "\r\nM30";
        QTest::newRow("a keystroke past the longest line shown whole")
            << "N1\r\n" + line4096 + "\r\nM30" << 10 << 10 << "type" << QByteArray("Y")
            << "N1\r\n" + line4096.left(6) + "Y" + line4096.mid(6) + "\r\nM30";
        QTest::newRow("a long text dropped at the start")
            << QByteArray("G00X0\r\nM30\r\n") << 0 << 0 << "drop" << plot
            << plot + "G00X0\r\nM30\r\n";
    }

    // A paste, keystroke or drop that makes a line longer than a pane shows whole
    // breaks it into display lines and keeps the bytes; a paste goes back in one
    // undo.
    void insertionThatMakesALongLineBreaksIt() {
        QFETCH(QByteArray, file);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, how);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        Session s;
        s.frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.frm.get()));
        TextPane& pane = s.frm->pane();
        pane.setShiftJis(file.toStdString());
        pane.SendScintilla(TextPane::SCI_SETSEL, static_cast<unsigned long>(from), long{to});
        if (how == "paste") {
            QApplication::clipboard()->setText(QString::fromLatin1(text));
            QTest::keyClick(&pane, Qt::Key_V, Qt::ControlModifier);
        } else if (how == "type") {
            QTest::keyClicks(&pane, QString::fromLatin1(text));
        } else {
            QMimeData mime;
            mime.setText(QString::fromLatin1(text));
            const QPoint at(1, 1);
            QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(pane.viewport(), &enter);
            QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(pane.viewport(), &move);
            QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(pane.viewport(), &drop);
        }
        QCOMPARE(QByteArray::fromStdString(pane.shiftJis()), expected);
        for (int k = 0; k < pane.lines(); ++k) {
            QVERIFY2(pane.SendScintilla(TextPane::SCI_LINELENGTH, static_cast<unsigned long>(k)) <=
                         long{TextPane::kDisplayLineBytes} + 3,
                     qPrintable(QStringLiteral("display line %1").arg(k)));
        }
        if (how == "drop") {
            return;
        }
        // The caret stands after the inserted text.
        const std::string_view utf8 = pane.utf8View();
        const std::size_t caret = charIndexOfUtf8Offset(
            utf8, static_cast<std::size_t>(pane.SendScintilla(TextPane::SCI_GETCURRENTPOS)));
        QCOMPARE(QByteArray::fromStdString(pane.shiftJis()).left(qsizetype(caret)).right(8),
                 expected.left(expected.size() - (file.size() - to)).right(8));
        // A paste goes back in one step; the break after a keystroke is a step of
        // its own.
        pane.undo();
        while (how == "type" && pane.isUndoAvailable()) {
            pane.undo();
        }
        QCOMPARE(QByteArray::fromStdString(pane.shiftJis()), file);
    }

    void lineLongerThanThePaneTakesIsRefused_data() {
        QTest::addColumn<int>("lineBytes");
        QTest::addColumn<bool>("loads");
        QTest::newRow("longest a pane takes") << kLineLimit << true;
        QTest::newRow("one byte more is refused") << kLineLimit + 1 << false;
    }

    void lineLongerThanThePaneTakesIsRefused() {
        QFETCH(int, lineBytes);
        QFETCH(bool, loads);
        Session s;
        const testing::LoweredLineLimit limit(kLineLimit);
        const QString in = s.scratch.path("long.nc");
        const QByteArray file = "G00\r\n" + QByteArray(lineBytes, 'X') + "\r\nM30\r\n";
        writeBytes(in, file);
        s.frm->pane().setShiftJis("KEEP");
        s.load(in);
        if (loads) {
            QCOMPARE(QByteArray::fromStdString(s.frm->pane().shiftJis()), file);
            QVERIFY(s.dialogs.messages.empty());
        } else {
            QCOMPARE(s.dialogs.messageTexts(),
                     QStringList{"1行の長さが 1 GB を超えるため表示できません。"});
            QCOMPARE(s.frm->pane().shiftJis(), std::string("KEEP"));
            QCOMPARE(s.frm->documentName(), QString());
        }
    }

private:
    static constexpr int kLineLimit = 64 * 1024;
};

QTEST_MAIN(EditFrmDocumentTest)
#include "EditFrmDocumentTest.moc"
