#include "gui/windows/AppSetFrm.h"

#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace talmir {

AppSetFrm::AppSetFrm(app::SettingsStore& settings, app::ExternalApps& apps, Dialogs& dialogs,
                     QWidget* parent)
    : QDialog(parent),
      m_settings(settings),
      m_apps(apps),
      m_dialogs(dialogs),
      m_list(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("外部アプリケーションの設定"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    auto* column = new QVBoxLayout;
    layout->addLayout(column);
    const QString captions[] = {QStringLiteral("追加"), QStringLiteral("削除"),
                                QStringLiteral("閉じる")};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(captions[i], this);
        b->setAutoDefault(false);
        column->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        m_buttons[static_cast<std::size_t>(i)] = b;
    }
    column->addStretch();

    const int count = m_apps.loadList(m_settings);
    for (int k = 0; k < count; ++k) {
        m_list->addItem(QString::fromStdString(m_apps.row(k).title));
    }
    m_buttons[0]->setEnabled(m_list->count() <= 9);
    m_buttons[1]->setEnabled(false);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_buttons[1]->setEnabled(m_list->currentRow() >= 0); });
}

void AppSetFrm::Command1_Click(int index) {
    switch (index) {
        case 0:
            add();
            break;
        case 1:
            remove();
            break;
        case 2:
            accept();
            break;
        default:
            break;
    }
}

void AppSetFrm::add() {
    if (m_list->count() >= app::kExternalAppCount) {
        return;
    }
    const auto path = m_dialogs.openFile(
        this,
        FileDialogRequest{{}, {}, {}, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ(*.EXE)|*.EXE|全て(*.*)|*.*")});
    if (!path) {
        return;
    }
    const QString title = QFileInfo(*path).fileName();
    m_list->addItem(title);
    const int n = m_list->count() - 1;
    m_apps.set(m_settings, n, title.toStdString(), path->toStdString());
    if (n >= 9) {
        m_buttons[0]->setEnabled(false);
    }
}

void AppSetFrm::remove() {
    const int i = m_list->currentRow();
    if (i < 0) {
        return;
    }
    const QString title = QString::fromStdString(m_apps.row(i).title);
    if (!m_dialogs.askYesNo(this,
                            QStringLiteral("外部アプリケーション: ") + title +
                                QStringLiteral(" をメニューから削除しますか"),
                            {})) {
        return;
    }
    m_apps.remove(m_settings, i);
    delete m_list->takeItem(i);
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    m_buttons[0]->setEnabled(true);
    m_buttons[1]->setEnabled(false);
}

}  // namespace talmir
