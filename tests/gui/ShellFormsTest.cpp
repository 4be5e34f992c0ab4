// The small pieces of the shell: the command guard, file filters, work-file
// snapshots, the ReadMe viewer, the version box and the one-line input box.
#include "ModalDialog.h"
#include "ScriptedDialogs.h"
#include "core/Failure.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/InpFrm.h"
#include "gui/base/PlatformFolders.h"
#include "gui/base/QSettingsStore.h"
#include "gui/base/QtTranslations.h"
#include "gui/windows/HlpFrm.h"
#include "gui/windows/frmAbout.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace talmir;

class ShellFormsTest : public QObject {
    Q_OBJECT

private slots:
    void qtSpeaksJapanese() {
        if (!installQtJapanese(*QCoreApplication::instance())) {
            QSKIP("Qt's Japanese translations (qt6-translations-l10n) are not installed");
        }
        // The standard buttons of every message box and file dialog.
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QVERIFY(!box.button(QMessageBox::Yes)->text().contains(QLatin1String("Yes")));
    }

    void saveDialogAsksBeforeReplacingAFile() {
        QTemporaryDir folder;
        bool asks = false;
        talmir::testing::whenModalIs<QFileDialog>([&asks](QFileDialog& dialog) {
            asks = dialog.acceptMode() == QFileDialog::AcceptSave &&
                   !dialog.testOption(QFileDialog::DontConfirmOverwrite);
            dialog.reject();
        });
        QtDialogs dialogs;
        const FileDialogRequest request{QStringLiteral("保存"), folder.path(),
                                        QStringLiteral("vesa.dxf"),
                                        QStringLiteral("全てのﾌｧｲﾙ(*.*)|*.*")};
        QVERIFY(!dialogs.saveFile(nullptr, request).has_value());
        QVERIFY(asks);
    }

    // The set-up chooses the printer and prints nothing: its accept button says so.
    void printerSetupChoosesThePrinter() {
        bool choosesPrinter = false;
        QString accept;
        talmir::testing::whenModal([&](QWidget* widget) {
            choosesPrinter = dynamic_cast<QPrintDialog*>(widget) != nullptr;
            if (auto* buttons = widget->findChild<QDialogButtonBox*>()) {
                if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
                    accept = ok->text();
                }
            }
            static_cast<QDialog*>(widget)->reject();
        });
        QtDialogs dialogs;
        QPrinter printer;
        QVERIFY(!dialogs.printerSetup(nullptr, printer));
        QVERIFY(choosesPrinter);
        QCOMPARE(accept, QStringLiteral("OK"));
    }

    void guardReportsAndRestores_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::newRow("failure") << 0 << "エラー番号 : 53\nファイルが見つかりません。"
                                 << int(MessageIcon::Warning);
        QTest::newRow("plain message")
            << 1 << "読み込み出来ませんでした。" << int(MessageIcon::None);
        QTest::newRow("stray exception")
            << 2 << "エラー番号 : 5\nプロシージャの呼び出し、または引数が不正です。\nboom"
            << int(MessageIcon::Warning);
        QTest::newRow("out of memory")
            << 3 << "エラー番号 : 7\nメモリが不足しています。" << int(MessageIcon::Warning);
    }

    void guardReportsAndRestores() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(int, icon);
        talmir::testing::ScriptedDialogs dialogs;
        QProgressBar bar;
        bar.setRange(0, 9);
        CommandGuard guard(dialogs, nullptr);
        guard.setProgressBar(&bar);
        const bool finished = guard.run(QStringLiteral("Orvanta_2"), [&] {
            QVERIFY(QApplication::overrideCursor() != nullptr);
            bar.setValue(7);
            switch (kind) {
                case 0:
                    throw Failure{53, "ファイルが見つかりません。"};
                case 1:
                    throw Failure::message("読み込み出来ませんでした。");
                case 2:
                    throw std::runtime_error("boom");
                default:
                    throw std::bad_alloc();
            }
        });
        QVERIFY(!finished);
        QCOMPARE(dialogs.messages.size(), std::size_t{1});
        QCOMPARE(dialogs.messages[0].text, text);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Orvanta_2"));
        QCOMPARE(int(dialogs.messages[0].icon), icon);
        QCOMPARE(bar.value(), 0);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void fileFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("all files") << "全てのﾌｧｲﾙ(*.*)|*.*"
                                   << "全てのﾌｧｲﾙ(*.*) (*)";
        QTest::newRow("programs") << "ｱﾌﾟﾘｹｰｼｮﾝ(*.EXE)|*.EXE|全て(*.*)|*.*"
                                  << "ｱﾌﾟﾘｹｰｼｮﾝ(*.EXE) (*.EXE *.exe);;全て(*.*) (*)";
    }

    void fileFilters() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qtNameFilter(filter), qt);
    }

    void snapshotFileMatchesThePaneSnapshot_data() {
        QTest::addColumn<QByteArray>("text");
        for (const char* t : {"", "A", "A\r\n", "A\r\n\r\n", "A\nB", "A\rB", "A\r", "\r\n\r", "A\n",
                              "\x82\xa0\r\n\x81"}) {
            QTest::newRow(QByteArray(t).toPercentEncoding().constData()) << QByteArray(t);
        }
    }

    void snapshotFileMatchesThePaneSnapshot() {
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("BAK.DAT"));
        writeSnapshotFileOrThrow(path, text.toStdString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), text::paneSnapshot(text.toStdString()));
    }

    void settingsFileKeepsValuesExactly_data() {
        QTest::addColumn<QString>("value");
        for (const char* v : {"/home/u/a,b.nc", "a, b", " leading and trailing ", "@Variant(x)",
                              "semi;colon", "C:\\Program Files\\x.exe", "key=value", "\"quoted\"",
                              "加工 ﾌﾟﾛｸﾞﾗﾑ.nc", "", "True"}) {
            QTest::newRow(v) << QString::fromUtf8(v);
        }
    }

    void settingsFileKeepsValuesExactly() {
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Talmir.ini"));
        {
            QSettingsStore store(ini);
            store.setText("Editfrm", "File1", value.toStdString());
            store.setText("Font", "FontName", value.toStdString());
        }
        QSettingsStore again(ini);
        QCOMPARE(QString::fromStdString(again.getText("Editfrm", "File1", "<absent>")), value);
        QCOMPARE(QString::fromStdString(again.getText("Font", "FontName", "<absent>")), value);
    }

    void appDirFallsBackToTheUserDataFolder() {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir writable;
        const app::Folders own = foldersFor(writable.path());
        QCOMPARE(QString::fromStdString(own.AppDir), writable.path() + "/");
        QVERIFY(!own.TempDir.empty() && own.TempDir.back() != '/');
        // A folder nobody can create files in, not even the super-user.
        const app::Folders installed = foldersFor(QStringLiteral("/proc"));
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(QString::fromStdString(installed.AppDir), data + "/");
        QVERIFY(isWritableFolder(data));
    }

    void readMeDescribesTheProgram() {
        HlpFrm help;
        QCOMPARE(help.windowTitle(), QStringLiteral("Orvanta"));
        for (const char* topic : {"talmir-convert", "BAK.DAT", "ファイル(&F)", "形式変換(&R)"}) {
            QVERIFY2(help.text().contains(QString::fromUtf8(topic)), topic);
        }
    }

    void versionBox() {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("Talmirのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(frmAbout::versionText(1, 2, 13), QStringLiteral("VER 01.02.13"));
        QCOMPARE(frmAbout::versionText(10, 0, 123), QStringLiteral("VER 10.00.123"));
    }

    void inputBoxClosesOnEnter() {
        InpFrm box;
        box.setText(QStringLiteral("0.200"));
        QCOMPARE(box.windowTitle(), QStringLiteral("入力ボックス"));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto* edit = box.findChild<QLineEdit*>();
        QTest::keyClicks(edit, QStringLiteral("-1.5"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QCOMPARE(box.text(), QStringLiteral("-1.5"));
    }
};

QTEST_MAIN(ShellFormsTest)
#include "ShellFormsTest.moc"
