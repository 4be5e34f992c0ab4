// The external-application settings dialog and the menu it feeds.
#include "EditorSession.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "gui/windows/AppSetFrm.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace talmir;

class AppSetFrmTest : public QObject {
    Q_OBJECT

private:
    static void storeApps(app::SettingsStore& store, int count) {
        for (int k = 0; k < count; ++k) {
            store.setText("Talmir", "AppTitle" + std::to_string(k), "app" + std::to_string(k));
            store.setText("Talmir", "AppName" + std::to_string(k), "/opt/app" + std::to_string(k));
        }
    }

private slots:
    void addButtonState_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("enabledBefore");
        QTest::addColumn<bool>("enabledAfterAdd");
        QTest::newRow("empty") << 0 << true << true;
        QTest::newRow("ninth added") << 8 << true << true;
        QTest::newRow("tenth added") << 9 << true << false;
        QTest::newRow("full") << 10 << false << false;
    }

    void addButtonState() {
        QFETCH(int, stored);
        QFETCH(bool, enabledBefore);
        QFETCH(bool, enabledAfterAdd);
        app::MemorySettingsStore store;
        storeApps(store, stored);
        app::ExternalApps apps;
        talmir::testing::ScriptedDialogs dialogs;
        AppSetFrm dialog(store, apps, dialogs);
        QCOMPARE(dialog.list().count(), stored);
        QCOMPARE(dialog.button(0).isEnabled(), enabledBefore);
        QVERIFY(!dialog.button(1).isEnabled());
        if (!enabledBefore) {
            return;
        }
        dialogs.files.push_back(QStringLiteral("/usr/local/bin/my viewer"));
        QTest::mouseClick(&dialog.button(0), Qt::LeftButton);
        QCOMPARE(dialog.list().count(), stored + 1);
        QCOMPARE(dialog.list().item(stored)->text(), QStringLiteral("my viewer"));
        QCOMPARE(store.getText("Talmir", "AppTitle" + std::to_string(stored), ""),
                 std::string("my viewer"));
        QCOMPARE(store.getText("Talmir", "AppName" + std::to_string(stored), ""),
                 std::string("/usr/local/bin/my viewer"));
        QCOMPARE(dialog.button(0).isEnabled(), enabledAfterAdd);
    }

    void deleteThirdOfTen_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }

    void deleteThirdOfTen() {
        QFETCH(bool, answer);
        app::MemorySettingsStore store;
        storeApps(store, 10);
        app::ExternalApps apps;
        talmir::testing::ScriptedDialogs dialogs;
        AppSetFrm dialog(store, apps, dialogs);
        dialog.list().setCurrentRow(2);
        QVERIFY(dialog.button(1).isEnabled());
        dialogs.yesNo.push_back(answer);
        QTest::mouseClick(&dialog.button(1), Qt::LeftButton);
        QCOMPARE(dialogs.questions,
                 QStringList{"外部アプリケーション: app2 をメニューから削除しますか"});
        if (!answer) {
            QCOMPARE(dialog.list().count(), 10);
            QCOMPARE(store.getText("Talmir", "AppTitle2", ""), std::string("app2"));
            return;
        }
        QCOMPARE(dialog.list().count(), 9);
        QCOMPARE(dialog.list().item(2)->text(), QStringLiteral("app3"));
        QCOMPARE(store.getText("Talmir", "AppTitle8", ""), std::string("app9"));
        QCOMPARE(store.getText("Talmir", "AppName2", ""), std::string("/opt/app3"));
        QCOMPARE(store.getText("Talmir", "AppTitle9", "?"), std::string());
        QCOMPARE(store.getText("Talmir", "AppName9", "?"), std::string());
        QVERIFY(dialog.button(0).isEnabled());
        QVERIFY(!dialog.button(1).isEnabled());
    }

    void editorMenuFollowsTheDialog() {
        talmir::testing::EditorSession s{talmir::testing::EditorSession::NotStarted{}};
        storeApps(s.store, 2);
        EditFrm& frm = s.start();
        QCOMPARE(frm.action("MnuApp_Click1")->text(), QStringLiteral("app1"));
        // The dialog is modal: answer it once it shows.
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<AppSetFrm*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->list().setCurrentRow(0);
            s.dialogs.yesNo.push_back(true);
            dialog->Command1_Click(1);
            dialog->Command1_Click(2);
        });
        frm.MnuAppSet_Click();
        QCOMPARE(frm.action("MnuApp_Click0")->text(), QStringLiteral("app1"));
        QVERIFY(frm.action("MnuApp_Click0")->isVisible());
        QVERIFY(!frm.action("MnuApp_Click1")->isVisible());
    }
};

QTEST_MAIN(AppSetFrmTest)
#include "AppSetFrmTest.moc"
