#pragma once
// The settings dialog of the external applications: the list of titles and the
// buttons "追加" (add, at most ten), "削除" (delete the selected entry) and
// "閉じる" (close). Every change is stored at once.

#include "core/app/ExternalApps.h"
#include "core/app/SettingsStore.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace talmir {

class Dialogs;

class AppSetFrm : public QDialog {
    Q_OBJECT
public:
    AppSetFrm(app::SettingsStore& settings, app::ExternalApps& apps, Dialogs& dialogs,
              QWidget* parent = nullptr);

    // Button `index`: 0 "追加", 1 "削除", 2 "閉じる".
    void Command1_Click(int index);

    QListWidget& list() { return *m_list; }
    QPushButton& button(int index) { return *m_buttons.at(static_cast<std::size_t>(index)); }

private:
    void add();
    void remove();

    app::SettingsStore& m_settings;
    app::ExternalApps& m_apps;
    Dialogs& m_dialogs;
    QListWidget* m_list;
    std::array<QPushButton*, 3> m_buttons{};
};

}  // namespace talmir
