// The editor window's shell: start-up, menus, recent documents, tool strip,
// external applications and shut-down.
#include "EditorSession.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "core/app/WindowBounds.h"
#include "gui/base/EditorFont.h"
#include "gui/base/QSettingsStore.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

class EditFrmTest : public QObject {
    Q_OBJECT

private:
    // The editor starts in each test, once the store holds what it should find.
    struct Session : talmir::testing::EditorSession {
        Session() : EditorSession(NotStarted{}) {}
        std::string key(const char* section, const std::string& key) const {
            return store.getText(section, key, "<absent>");
        }
    };

    // Opens `path` through the load command as a user would.
    static void open(Session& s, const QString& path) {
        s.dialogs.files.push_back(path);
        s.frm->MnuLoad_Click();
    }

private slots:
    void firstStartWithEmptyStore() {
        Session s;
        EditFrm& frm = s.start();
        // Centred, at least the default size, and wide enough for the whole tool strip.
        const int dpi = frm.logicalDpiX();
        const QRect area = frm.screen()->availableGeometry();
        QVERIFY(frm.width() >= std::min(area.width(), app::twipsToPixels(8000, dpi)));
        QCOMPARE(frm.height(), std::min(area.height(), app::twipsToPixels(7000, dpi)));
        int strip = 0;
        for (const QToolBar* bar : frm.findChildren<QToolBar*>()) {
            strip += bar->sizeHint().width();
        }
        QVERIFY(frm.width() >= std::min(area.width(), strip));
        QVERIFY(std::abs(frm.geometry().center().x() - area.center().x()) <= 1);
        QVERIFY(std::abs(frm.geometry().center().y() - area.center().y()) <= 1);
        for (int k = 0; k < 5; ++k) {
            QVERIFY(!frm.action("MnuLoadFile_Click" + std::to_string(k))->isVisible());
        }
        QCOMPARE(frm.action("MnuApp_Click0")->text(), QStringLiteral("なし"));
        QVERIFY(frm.action("MnuApp_Click0")->isVisible());
        for (int k = 1; k < 10; ++k) {
            QVERIFY(!frm.action("MnuApp_Click" + std::to_string(k))->isVisible());
        }
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QCOMPARE(frm.bandLayout(), app::BandLayout{});
        // The stored face does not exist here; the pane shows a Japanese face.
        QCOMPARE(frm.pane().font().family(), displayFamily(QStringLiteral("ＭＳ 明朝")));
        QVERIFY(frm.pane().font().family().contains(QStringLiteral("IPA")));
        QCOMPARE(frm.pane().font().pointSizeF(), 12.0);
        QVERIFY(!frm.pane().font().bold());
        QCOMPARE(s.key("Talmir", "Apldir"), s.scratch.folders().AppDir);
        QCOMPARE(frm.windowTitle(), QStringLiteral("エディタ"));
    }

    void menuEntries_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("builtIn");
        auto row = [](const char* handler, const char* caption, bool enabled) {
            QTest::newRow(handler)
                << QString::fromUtf8(handler) << QString::fromUtf8(caption) << enabled;
        };
        row("MnuLoad_Click", "ファイルの読み込み...", true);
        row("MnuTuikaLoad_Click", "ファイルの追加読み込み...", true);
        row("MnuSave_Click", "ファイルの保存...", true);
        row("MnuCRsave_Click", "改行コードを ＣＲ で保存...", true);
        row("MnuLFsave_Click", "改行コードを ＬＦ で保存...", true);
        row("MnuCrear_Click", "クリア", true);
        row("MnuEnd_Click", "Orvanta_2 の終了", true);
        row("MnuWWW_Click", "ブラウザの選択...", true);
        row("MnuAppSet_Click", "外部アプリの設定...", true);
        row("MnuRead_Click", "ReadMeの表示", true);
        row("MnuLinkMarlit_Click", "ホームページへ接続", true);
        row("MnuVer_Click", "バージョン情報", true);
        // Present always; enabled once their commands are part of the program.
        row("MnuPrintSet_Click", "プリンターの設定...", false);
        row("MnuPrint_Click", "印刷...", false);
        row("MnuCv_Click", "コード変換...", false);
        row("MnuFileIs_Click", "ファイル比較...", false);
        row("MnuCvED_Click", "コード編集...", false);
        row("MnuHenkan_Click", "置換...", false);
        row("MnuSeigyo_Click", "制御文字編集...", false);
        row("MnuFont_Click", "フォント...", false);
        row("MnuHolFmt_Click", "穴データ...", false);
        row("MnuGbrFmt_Click", "ガーバーデータ...", false);
        row("MnuWirFmt_Click", "ワイヤーカットデータ", false);
        row("MnuFUNACfmt_Click", "ワイヤーFUNAC", false);
        row("MnuLuter_Click", "ルーターデータ...", false);
        row("MnuDxfNc_Click", "DXFをGコードへ", false);
        row("MnuDxsDlir_Click", "DXFを穴データへ", false);
        row("MnuIges_Click", "IGESをGコードへ", false);
        row("MnuHpgl_Click", "HPGLをGコードへ", false);
        row("MnuWcMc_Click", "ワイヤーをミーリングへ", false);
    }

    void menuEntries() {
        QFETCH(QString, handler);
        QFETCH(QString, caption);
        QFETCH(bool, builtIn);
        Session s;
        EditFrm& frm = s.start();
        QAction* act = frm.action(handler.toStdString());
        QVERIFY(act != nullptr);
        QCOMPARE(act->text(), caption);
        QCOMPARE(act->isEnabled(), builtIn || findEditFrmCommand(handler.toStdString()) != nullptr);
    }

    void topMenusAndToolbars() {
        Session s;
        EditFrm& frm = s.start();
        QStringList titles;
        for (QAction* a : frm.menuBar()->actions()) {
            titles << a->text();
        }
        QCOMPARE(titles, (QStringList{"ファイル(&F)", "編集(&E)", "形式変換(&R)", "アプリ(&A)",
                                      "ヘルプ(&H)"}));
        auto keys = [&](const char* band) {
            QStringList out;
            for (QAction* a : frm.band(band)->actions()) {
                if (!a->objectName().isEmpty()) {
                    out << a->objectName();
                }
            }
            return out;
        };
        QCOMPARE(keys("TLB1"), (QStringList{"LOAD", "SAVE", "PRINT"}));
        QCOMPARE(keys("TLB2"), (QStringList{"NC", "GBR", "DXF", "GRPH"}));
    }

    void recentList() {
        Session s;
        EditFrm& frm = s.start();
        QStringList paths;
        for (int i = 1; i <= 6; ++i) {
            paths << s.scratch.path(QStringLiteral("prog%1.nc").arg(i));
            writeBytes(paths.back(), QByteArray("G00X") + QByteArray::number(i));
            open(s, paths.back());
        }
        // The sixth pushed the first out.
        QCOMPARE(QString::fromStdString(s.key("Editfrm", "File1")), paths[5]);
        QCOMPARE(QString::fromStdString(s.key("Editfrm", "File5")), paths[1]);
        QVERIFY(frm.action("MnuLoadFile_Click4")->isVisible());
        // Reopening the third entry makes it first; the fourth and fifth stay.
        frm.MnuLoadFile_Click(2);
        QCOMPARE(frm.pane().shiftJis(), std::string("G00X4"));
        const QStringList want{paths[3], paths[5], paths[4], paths[2], paths[1]};
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(QString::fromStdString(s.key("Editfrm", "File" + std::to_string(k + 1))),
                     want[k]);
            QCOMPARE(frm.action("MnuLoadFile_Click" + std::to_string(k))->text(),
                     QStringLiteral("&%1 ").arg(k + 1) + want[k].right(30));
        }
        QCOMPARE(frm.documentName(), QStringLiteral("prog4.nc"));
        QVERIFY(s.dialogs.messages.empty());
    }

    void recentEntryWhoseFileIsGone() {
        Session s;
        s.store.setText("Editfrm", "File1", s.scratch.path("gone.nc").toStdString());
        EditFrm& frm = s.start();
        frm.pane().setShiftJis("KEEP");
        frm.setDocumentName("keep.nc");
        frm.MnuLoadFile_Click(0);
        QCOMPARE(s.dialogs.messageTexts(), QStringList{"読み込み出来ませんでした。"});
        QCOMPARE(frm.pane().shiftJis(), std::string("KEEP"));
        QCOMPARE(frm.documentName(), QStringLiteral("keep.nc"));
    }

    void commandLine_data() {
        QTest::addColumn<QString>("tail");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QString>("panel1");
        QTest::newRow("quoted path with blanks") << "\"%1/my part.nc\"" << true << "my part.nc";
        QTest::newRow("bare path with blanks") << "%1/my part.nc" << true << "my part.nc";
        QTest::newRow("missing file") << "%1/none.nc" << false << "none.nc";
    }

    void commandLine() {
        QFETCH(QString, tail);
        QFETCH(bool, loads);
        QFETCH(QString, panel1);
        Session s;
        const QString folder = s.scratch.path("docs");
        QDir().mkpath(folder);
        writeBytes(folder + "/my part.nc", "O1000\r\nM30\r\n");
        EditFrm& frm = s.start(tail.arg(folder));
        QCOMPARE(frm.pane().shiftJis(), loads ? std::string("O1000\r\nM30\r\n") : std::string());
        QCOMPARE(frm.documentName(), panel1);
        // Also a file that could not be read is remembered.
        QCOMPARE(QString::fromStdString(s.key("Editfrm", "File1")), folder + "/" + panel1);
        QVERIFY(s.dialogs.messages.empty());
    }

    void shutDownStoresStateAndDeletesWorkFiles() {
        Session s;
        EditFrm& frm = s.start();
        writeBytes(s.scratch.appFile("BAK.DAT"), "x");
        writeBytes(s.scratch.appFile("BAK1.DAT"), "y");
        writeBytes(s.scratch.appFile("BAK2.DAT"), "z");
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.setGeometry(40, 60, 600, 500);
        const QRect normal = frm.geometry();
        frm.showMaximized();
        QTest::qWait(50);
        frm.close();
        const int dpi = frm.logicalDpiX();
        QCOMPARE(s.key("Editfrm", "Width"),
                 std::to_string(static_cast<int>(app::pixelsToTwips(normal.width(), dpi))));
        QCOMPARE(s.key("Editfrm", "Left"),
                 std::to_string(static_cast<int>(app::pixelsToTwips(normal.x(), dpi))));
        QCOMPARE(s.key("Editfrm", "Top"),
                 std::to_string(static_cast<int>(app::pixelsToTwips(normal.y(), dpi))));
        QCOMPARE(s.key("Talmir", "Help"), std::string("True"));
        QCOMPARE(s.key("Editfrm", "Bands1_Cotrol"), std::string("TLB1"));
        QCOMPARE(s.key("Editfrm", "Bands4_NewRow"), std::string("False"));
        QVERIFY(!QFile::exists(s.scratch.appFile("BAK.DAT")));
        QVERIFY(!QFile::exists(s.scratch.appFile("BAK1.DAT")));
        QVERIFY(QFile::exists(s.scratch.appFile("BAK2.DAT")));
    }

    void bandLayoutRoundTrip() {
        Session s;
        app::BandLayout stored;
        stored.keys = {"PCT1", "TLB2", "TLB1", "PCT2"};
        stored.newRow = {false, false, true, false};
        app::writeBandLayout(s.store, stored);
        EditFrm& frm = s.start();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QCOMPARE(frm.bandLayout(), stored);
        frm.close();
        QCOMPARE(app::readBandLayout(s.store), stored);
    }

    void bandMovedToFirstComesBackFirst() {
        Session s;
        {
            EditFrm& frm = s.start();
            frm.show();
            QVERIFY(QTest::qWaitForWindowExposed(&frm));
            // What a drag of the progress band to the front does.
            frm.insertToolBar(frm.band("TLB1"), frm.band("PCT2"));
            QTest::qWait(20);
            frm.close();
        }
        QCOMPARE(s.key("Editfrm", "Bands1_Cotrol"), std::string("PCT2"));
        EditFrm& again = s.start();
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.bandLayout().keys[0], std::string("PCT2"));
    }

    void garbageSettingsGiveDefaults() {
        Session s;
        for (const char* k : {"Left", "Top", "Width", "Height", "Bands1_Cotrol", "Bands2_NewRow"}) {
            s.store.setText("Editfrm", k, "\x01garbage\xff");
        }
        s.store.setText("Font", "FontSize", "-1e400");
        s.store.setText("Talmir", "Help", "perhaps");
        s.store.setText("Talmir", "AppTitle0", "エディタ2");
        EditFrm& frm = s.start();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QCOMPARE(frm.pane().font().pointSizeF(), 12.0);
        QVERIFY(frm.action("MnuRead_Click")->isVisible());
        QCOMPARE(frm.bandLayout(), app::BandLayout{});
        QCOMPARE(frm.action("MnuApp_Click0")->text(), QStringLiteral("エディタ2"));
    }

    void garbageSettingsFile() {
        talmir::testing::ScratchFolders scratch;
        const QString ini = scratch.path("Talmir.ini");
        QByteArray junk(
            "[Editfrm]\nWidth=@Variant(\0\0\0\x7f\xff\xff)\nHeight=@Rect(1 2)\n"
            "Left=\"unterminated\nFile1=@ByteArray(\xff\xfe)\n[Font]\n"
            "FontSize=1e999\nFontName=\n\x01\x02\x03=\xff\n",
            129);
        for (int i = 0; i < 256; ++i) {
            junk += char(i * 37);
        }
        writeBytes(ini, junk);
        QSettingsStore store(ini);
        talmir::testing::ScriptedDialogs dialogs;
        EditFrm frm(store, dialogs, scratch.folders());
        frm.Form_Load({});
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QCOMPARE(frm.pane().font().pointSizeF(), 12.0);
        frm.MnuLoadFile_Click(0);
        frm.close();
        QCOMPARE(store.getText("Editfrm", "Bands1_Cotrol", ""), std::string("TLB1"));
    }

    void externalAppGetsTheHandOverPathAsOneArgument() {
        Session s;
        // A program in a folder with blanks that notes its arguments.
        const QString folder = s.scratch.path("my tools");
        QDir().mkpath(folder);
        const QString program = folder + "/show args";
        const QString noted = s.scratch.path("args.txt");
        writeBytes(program, QByteArray("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '") +
                                noted.toUtf8() + "'\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        s.store.setText("Talmir", "AppTitle0", "Viewer");
        s.store.setText("Talmir", "AppName0", program.toStdString());
        EditFrm& frm = s.start();
        frm.pane().setShiftJis("G00X0\r\n\r\nM30");
        frm.setDocumentName("part one.nc");
        frm.MnuApp_Click(0);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(noted).size() > 0, 5000);
        const QString handOver =
            QString::fromStdString(s.scratch.folders().TempDir) + "/part one.nc";
        QCOMPARE(QString::fromUtf8(readBytes(noted)), "1|" + handOver + "|");
        QCOMPARE(readBytes(handOver), QByteArray("G00X0\r\nM30\r\n"));
        QCOMPARE(readBytes(s.scratch.appFile("BAK.DAT")), QByteArray("G00X0\r\n\r\nM30"));
        QVERIFY(s.dialogs.messages.empty());
    }

    void externalAppNoneConfigured() {
        Session s;
        EditFrm& frm = s.start();
        frm.MnuApp_Click(0);
        QCOMPARE(s.dialogs.messageTexts(), QStringList{"へ接続出来ませんでした"});
    }

    void browserChoice() {
        Session s;
        EditFrm& frm = s.start();
        s.dialogs.files.push_back(std::nullopt);
        frm.MnuWWW_Click();
        QCOMPARE(s.key("Talmir", "WebApl"), std::string("<absent>"));
        s.dialogs.files.push_back(QStringLiteral("/usr/bin/firefox-esr"));
        frm.MnuWWW_Click();
        QCOMPARE(s.key("Talmir", "WebApl"), std::string("/usr/bin/firefox-esr"));
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{"ブラウザを[ firefox-esr ]に設定しました。"});
    }
};

QTEST_MAIN(EditFrmTest)
#include "EditFrmTest.moc"
