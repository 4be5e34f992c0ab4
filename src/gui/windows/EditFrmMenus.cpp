// The menus and the tool strip of the editor window.
#include "core/editor/WorkFiles.h"
#include "gui/base/AppIcon.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/PaneSearch.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>

namespace talmir {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The editor's own search box searches the editor's pane.
const EditFrmCommandRegistration kSearch{"Command1_Click", [](EditFrm& frm) {
                                             searchPane(frm.pane(), frm.searchBox(), frm.dialogs(),
                                                        &frm, frm.workFile(editor::kBakDat));
                                         }};

}  // namespace

QAction* EditFrm::action(std::string_view handler) const {
    const auto it = m_actions.find(handler);
    return it == m_actions.end() ? nullptr : it->second;
}

void EditFrm::connectRegistered(QAction* act, const std::string& handler) {
    m_actions[handler] = act;
    // A command that is not built into this program stays visible and disabled.
    const EditFrmCommand* command = findEditFrmCommand(handler);
    act->setEnabled(command != nullptr);
    if (command != nullptr) {
        connect(act, &QAction::triggered, this, [this, command] { (*command)(*this); });
    }
}

QAction* EditFrm::addCommand(QMenu* menu, const QString& caption, const std::string& handler) {
    QAction* act = menu->addAction(caption);
    connectRegistered(act, handler);
    return act;
}

void EditFrm::buildMenus() {
    auto own = [this](QMenu* menu, const QString& caption, const std::string& handler,
                      void (EditFrm::*slot)()) {
        QAction* act = menu->addAction(caption);
        m_actions[handler] = act;
        connect(act, &QAction::triggered, this, slot);
        return act;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    own(file, QStringLiteral("ファイルの読み込み..."), "MnuLoad_Click", &EditFrm::MnuLoad_Click);
    own(file, QStringLiteral("ファイルの追加読み込み..."), "MnuTuikaLoad_Click",
        &EditFrm::MnuTuikaLoad_Click);
    file->addSeparator();
    own(file, QStringLiteral("ファイルの保存..."), "MnuSave_Click", &EditFrm::MnuSave_Click);
    QMenu* saveAs = file->addMenu(QStringLiteral("ファイルの保存"));
    own(saveAs, QStringLiteral("改行コードを ＣＲ で保存..."), "MnuCRsave_Click",
        &EditFrm::MnuCRsave_Click);
    own(saveAs, QStringLiteral("改行コードを ＬＦ で保存..."), "MnuLFsave_Click",
        &EditFrm::MnuLFsave_Click);
    file->addSeparator();
    addCommand(file, QStringLiteral("プリンターの設定..."), "MnuPrintSet_Click");
    addCommand(file, QStringLiteral("印刷..."), "MnuPrint_Click");
    file->addSeparator();
    own(file, QStringLiteral("クリア"), "MnuCrear_Click", &EditFrm::MnuCrear_Click);
    file->addSeparator();
    for (int k = 0; k < app::kRecentCount; ++k) {
        QAction* act = file->addAction(QString());
        act->setVisible(false);
        connect(act, &QAction::triggered, this, [this, k] { MnuLoadFile_Click(k); });
        m_recentActions[static_cast<std::size_t>(k)] = act;
        m_actions["MnuLoadFile_Click" + std::to_string(k)] = act;
    }
    m_recentSeparator = file->addSeparator();
    m_recentSeparator->setVisible(false);
    own(file, QStringLiteral("Orvanta_2 の終了"), "MnuEnd_Click", &EditFrm::MnuEnd_Click);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    QMenu* convert = edit->addMenu(QStringLiteral("変換"));
    addCommand(convert, QStringLiteral("コード変換..."), "MnuCv_Click");
    addCommand(convert, QStringLiteral("ファイル比較..."), "MnuFileIs_Click");
    convert->addSeparator();
    addCommand(convert, QStringLiteral("コード編集..."), "MnuCvED_Click");
    edit->addSeparator();
    addCommand(edit, QStringLiteral("置換..."), "MnuHenkan_Click");
    addCommand(edit, QStringLiteral("制御文字編集..."), "MnuSeigyo_Click");
    edit->addSeparator();
    addCommand(edit, QStringLiteral("フォント..."), "MnuFont_Click");

    QMenu* formats = menuBar()->addMenu(QStringLiteral("形式変換(&R)"));
    QMenu* data = formats->addMenu(QStringLiteral("データフォーマット"));
    addCommand(data, QStringLiteral("穴データ..."), "MnuHolFmt_Click");
    data->addSeparator();
    addCommand(data, QStringLiteral("ガーバーデータ..."), "MnuGbrFmt_Click");
    data->addSeparator();
    addCommand(data, QStringLiteral("ワイヤーカットデータ"), "MnuWirFmt_Click");
    addCommand(data, QStringLiteral("ワイヤーFUNAC"), "MnuFUNACfmt_Click");
    data->addSeparator();
    addCommand(data, QStringLiteral("ルーターデータ..."), "MnuLuter_Click");
    formats->addSeparator();
    QMenu* dxf = formats->addMenu(QStringLiteral("DXF形式変換"));
    addCommand(dxf, QStringLiteral("DXFをGコードへ"), "MnuDxfNc_Click");
    dxf->addSeparator();
    addCommand(dxf, QStringLiteral("DXFを穴データへ"), "MnuDxsDlir_Click");
    formats->addSeparator();
    QMenu* iges = formats->addMenu(QStringLiteral("IGES形式変換"));
    addCommand(iges, QStringLiteral("IGESをGコードへ"), "MnuIges_Click");
    formats->addSeparator();
    QMenu* hpgl = formats->addMenu(QStringLiteral("HPGL形式変換"));
    addCommand(hpgl, QStringLiteral("HPGLをGコードへ"), "MnuHpgl_Click");
    formats->addSeparator();
    addCommand(formats, QStringLiteral("ワイヤーをミーリングへ"), "MnuWcMc_Click");
    formats->addSeparator();
    addCommand(formats, QStringLiteral("グラフィック表示"), "MnuEditGrph_Click");

    QMenu* apps = menuBar()->addMenu(QStringLiteral("アプリ(&A)"));
    own(apps, QStringLiteral("ブラウザの選択..."), "MnuWWW_Click", &EditFrm::MnuWWW_Click);
    apps->addSeparator();
    own(apps, QStringLiteral("外部アプリの設定..."), "MnuAppSet_Click", &EditFrm::MnuAppSet_Click);
    QMenu* external = apps->addMenu(QStringLiteral("外部アプリ"));
    for (int k = 0; k < app::kExternalAppCount; ++k) {
        QAction* act = external->addAction(k == 0 ? QStringLiteral("なし") : QString());
        act->setVisible(k == 0);
        connect(act, &QAction::triggered, this, [this, k] { MnuApp_Click(k); });
        m_appActions[static_cast<std::size_t>(k)] = act;
        m_actions["MnuApp_Click" + std::to_string(k)] = act;
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    own(help, QStringLiteral("ReadMeの表示"), "MnuRead_Click", &EditFrm::MnuRead_Click);
    own(help, QStringLiteral("ホームページへ接続"), "MnuLinkMarlit_Click",
        &EditFrm::MnuLinkMarlit_Click);
    own(help, QStringLiteral("バージョン情報"), "MnuVer_Click", &EditFrm::MnuVer_Click);
}

void EditFrm::buildBands() {
    auto makeBand = [this](const char* key, const QString& title) {
        return m_bands.add(key, title);
    };
    auto button = [this](QToolBar* bar, const char* key, const QIcon& icon, const QString& tip,
                         bool fileBar) {
        QAction* act = BandStrip::button(bar, key, icon, tip);
        const QString k = QLatin1String(key);
        connect(act, &QAction::triggered, this, [this, k, fileBar] {
            fileBar ? Toolbar1_ButtonClick(k) : Toolbar2_ButtonClick(k);
        });
        m_actions[std::string("Toolbar_") + key] = act;
        return act;
    };

    QToolBar* files = makeBand("TLB1", QStringLiteral("ファイル"));
    button(files, "LOAD", style()->standardIcon(QStyle::SP_DialogOpenButton),
           QStringLiteral("ファイルの読み込み"), true);
    button(files, "SAVE", style()->standardIcon(QStyle::SP_DialogSaveButton),
           QStringLiteral("ファイルの保存"), true);
    button(files, "PRINT", toolIcon(QStringLiteral("PRN")), QStringLiteral("印刷"), true)
        ->setEnabled(findEditFrmCommand("MnuPrint_Click") != nullptr);

    QToolBar* conversions = makeBand("TLB2", QStringLiteral("形式変換"));
    button(conversions, "NC", toolIcon(QStringLiteral("NC")), QStringLiteral("穴データ"), false)
        ->setEnabled(findEditFrmCommand("MnuHolFmt_Click") != nullptr);
    button(conversions, "GBR", toolIcon(QStringLiteral("GBR")), QStringLiteral("ガーバーデータ"),
           false)
        ->setEnabled(findEditFrmCommand("MnuGbrFmt_Click") != nullptr);
    button(conversions, "DXF", toolIcon(QStringLiteral("DXF")), QStringLiteral("DXFをGコードへ"),
           false)
        ->setEnabled(findEditFrmCommand("MnuDxfNc_Click") != nullptr);
    button(conversions, "GRPH", toolIcon(QStringLiteral("GRPH")),
           QStringLiteral("グラフィック表示"), false)
        ->setEnabled(findEditFrmCommand("MnuEditGrph_Click") != nullptr);

    QToolBar* search = makeBand("PCT1", QStringLiteral("検索"));
    m_searchBox = new QComboBox(search);
    m_searchBox->setEditable(true);
    m_searchBox->setMinimumWidth(160);
    search->addWidget(m_searchBox);
    auto* find = new QPushButton(QStringLiteral("検索"), search);
    search->addWidget(find);
    QAction* findAction = new QAction(QStringLiteral("検索"), find);
    connectRegistered(findAction, "Command1_Click");
    find->setEnabled(findAction->isEnabled());
    connect(find, &QPushButton::clicked, findAction, &QAction::trigger);

    QToolBar* progress = makeBand("PCT2", QStringLiteral("進行状況"));
    m_progress = new QProgressBar(progress);
    m_progress->setRange(0, 9);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setMinimumWidth(120);
    progress->addWidget(m_progress);
}

void EditFrm::Toolbar1_ButtonClick(const QString& key) {
    if (key == QLatin1String("LOAD")) {
        MnuLoad_Click();
    } else if (key == QLatin1String("SAVE")) {
        MnuSave_Click();
    } else if (key == QLatin1String("PRINT")) {
        if (const auto* command = findEditFrmCommand("MnuPrint_Click")) {
            (*command)(*this);
        }
    }
}

void EditFrm::Toolbar2_ButtonClick(const QString& key) {
    const char* handler = key == QLatin1String("NC")     ? "MnuHolFmt_Click"
                          : key == QLatin1String("GBR")  ? "MnuGbrFmt_Click"
                          : key == QLatin1String("DXF")  ? "MnuDxfNc_Click"
                          : key == QLatin1String("GRPH") ? "MnuEditGrph_Click"
                                                         : nullptr;
    if (handler == nullptr) {
        return;
    }
    if (const auto* command = findEditFrmCommand(handler)) {
        (*command)(*this);
    }
}

void EditFrm::refreshRecentMenu() {
    bool any = false;
    for (int k = 0; k < app::kRecentCount; ++k) {
        const std::string& path = m_recent.slot(k);
        QAction* act = m_recentActions[static_cast<std::size_t>(k)];
        if (!path.empty()) {
            act->setText(fromUtf8(app::RecentFiles::caption(k, path)));
            act->setVisible(true);
            any = true;
        }
    }
    if (any) {
        m_recentSeparator->setVisible(true);
    }
}

void EditFrm::refreshAppMenu() {
    for (int k = 0; k < app::kExternalAppCount; ++k) {
        const std::string& title = m_apps.row(k).title;
        if (!title.empty()) {
            QAction* act = m_appActions[static_cast<std::size_t>(k)];
            act->setText(fromUtf8(title));
            act->setVisible(true);
        }
    }
}

}  // namespace talmir
