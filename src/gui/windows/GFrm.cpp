// The G-code window: start-up, menus, tool strip, layout and closing.
#include "gui/windows/GFrm.h"

#include "core/app/ExternalApps.h"
#include "core/app/FontSettings.h"
#include "core/app/WindowBounds.h"
#include "core/editor/WorkFiles.h"
#include "gui/base/AppIcon.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/EditorFont.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace talmir {

namespace {

constexpr std::string_view kGfrmSection = "Gfrm";
// Window bounds when none are stored, in twips.
constexpr app::TwipsRect kDefaultBounds{2000, 2000, 8000, 7000};
// The tree's width, and where the pane starts beside it, in twips.
constexpr double kTreeWidthTwips = 2450;
constexpr double kPaneLeftTwips = 2500;

const QString kHolderName = QStringLiteral("GFrmHolder");

// Keeps the editor's G-code window; deleting the editor deletes the window.
class GFrmHolder : public QObject {
public:
    explicit GFrmHolder(QObject* parent) : QObject(parent) { setObjectName(kHolderName); }
    ~GFrmHolder() override { delete frm.data(); }

    QPointer<GFrm> frm;
};

GFrmHolder* holderOf(EditFrm& owner) {
    // Only this file names an object so, so the cast is safe.
    return static_cast<GFrmHolder*>(
        owner.findChild<QObject*>(kHolderName, Qt::FindDirectChildrenOnly));
}

}  // namespace

GFrm* GFrm::find(EditFrm& owner) {
    GFrmHolder* holder = holderOf(owner);
    if (holder == nullptr || holder->frm.isNull() || holder->frm->m_unloaded) {
        return nullptr;
    }
    return holder->frm.data();
}

GFrm& GFrm::of(EditFrm& owner) {
    if (GFrm* open = find(owner)) {
        return *open;
    }
    GFrmHolder* holder = holderOf(owner);
    if (holder == nullptr) {
        holder = new GFrmHolder(&owner);
    }
    holder->frm = new GFrm(owner);
    return *holder->frm;
}

GFrm::GFrm(EditFrm& owner)
    : m_owner(owner), m_guard(std::make_unique<CommandGuard>(owner.dialogs(), this)) {
    setObjectName(QStringLiteral("GFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ｇコード"));
    m_guard->setProgressBar(&owner.progressBar());

    m_body = new QWidget(this);
    setCentralWidget(m_body);
    m_tree = new QTreeWidget(m_body);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_tree->viewport()->installEventFilter(this);
    m_tree->hide();
    m_pane = new TextPane(m_body);
    m_body->installEventFilter(this);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (!m_quiet && node != nullptr) {
            TreeView1_NodeClick(node);
        }
    });
    connect(m_tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node, int) {
        if (!m_quiet) {
            TreeView1_AfterLabelEdit(node, node->text(0));
        }
    });

    buildBands();
    buildMenus();
    Form_Load();
}

GFrm::~GFrm() = default;

QAction* GFrm::action(std::string_view handler) const {
    const auto it = m_actions.find(handler);
    return it == m_actions.end() ? nullptr : it->second;
}

QToolBar* GFrm::band(std::string_view key) const {
    return m_bands.band(key);
}

QString GFrm::nodeFolder() const {
    return m_owner.workFile(editor::kGcodeDir);
}

QAction* GFrm::addCommand(QMenu* menu, const QString& caption, const std::string& handler,
                          void (GFrm::*slot)()) {
    QAction* act = menu->addAction(caption);
    m_actions[handler] = act;
    if (slot != nullptr) {
        connect(act, &QAction::triggered, this, slot);
        return act;
    }
    // The commands of the areas are registered for this window; one that is not
    // built into this program stays visible and disabled.
    const bool registered = findProgramWindowCommand(kind(), handler) != nullptr;
    act->setEnabled(registered);
    if (registered) {
        connect(act, &QAction::triggered, this, [this, handler] { runCommand(handler); });
    }
    return act;
}

void GFrm::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    addCommand(file, QStringLiteral("ファイルの保存..."), "MnuSave_Click", &GFrm::MnuSave_Click);
    file->addSeparator();
    addCommand(file, QStringLiteral("印刷..."), "MnuPrint_Click", &GFrm::MnuPrint_Click);
    file->addSeparator();
    addCommand(file, QStringLiteral("Gコードフォームを閉じる"), "MnuEnd_Click",
               &GFrm::MnuEnd_Click);

    QMenu* convert = menuBar()->addMenu(QStringLiteral("形式変換(&R)"));
    addCommand(convert, QStringLiteral("GコードをDXFへ..."), "MnuNcDxf_Click");
    addCommand(convert, QStringLiteral("GコードをIGESへ"), "MnuIges_Click");
    addCommand(convert, QStringLiteral("Gコードをガーバーへ..."), "MnuNcGbr_Click");
    addCommand(convert, QStringLiteral("GコードをHPGLへ"), "MnuGHpgl_Click");
    convert->addSeparator();
    addCommand(convert, QStringLiteral("G81をNCデータへ..."), "MnuG81Nc_Click");
    addCommand(convert, QStringLiteral("G81をラウンド形状へ..."), "MnuG81Raundo_Click");
    convert->addSeparator();
    addCommand(convert, QStringLiteral("Gコードの並べ替え"), "MnuGcodeSeiri_Click",
               &GFrm::MnuGcodeSeiri_Click);

    QAction* graph = menuBar()->addAction(QStringLiteral("グラフィック(&G)"));
    m_actions["MnuGrph_Click"] = graph;
    connect(graph, &QAction::triggered, this, [this] { runCommand("MnuGrph_Click"); });

    QMenu* apps = menuBar()->addMenu(QStringLiteral("アプリ(&A)"));
    addCommand(apps, QStringLiteral("Vultaneへ出力"), "MnuVultane_Click", &GFrm::MnuVultane_Click);
    apps->addSeparator();
    addCommand(apps, QStringLiteral("ブラウザの選択..."), "MnuWWW_Click", &GFrm::MnuWWW_Click);
    apps->addSeparator();
    addCommand(apps, QStringLiteral("外部アプリの設定..."), "MnuAppSet_Click",
               &GFrm::MnuAppSet_Click);
    m_appMenu = apps->addMenu(QStringLiteral("外部アプリ"));
    for (int k = 0; k < app::kExternalAppCount; ++k) {
        QAction* act = m_appMenu->addAction(QString());
        connect(act, &QAction::triggered, this, [this, k] { MnuApp_Click(k); });
        m_actions["MnuApp_Click" + std::to_string(k)] = act;
    }
    // The editor's settings dialog may change the table at any time.
    connect(m_appMenu, &QMenu::aboutToShow, this, &GFrm::refreshAppMenu);
    refreshAppMenu();

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    addCommand(help, QStringLiteral("ReadMeの表示"), "MnuRead_Click", &GFrm::MnuRead_Click);
    addCommand(help, QStringLiteral("ホームページへ接続"), "MnuLinkMarlit_Click",
               &GFrm::MnuLinkMarlit_Click);
    addCommand(help, QStringLiteral("バージョン情報"), "MnuVer_Click", &GFrm::MnuVer_Click);

    m_treeMenu = new QMenu(this);
    m_actions["MnuTreesave_Click"] = m_treeMenu->addAction(QStringLiteral("保存"));
    m_actions["MnuDel_Click"] = m_treeMenu->addAction(QStringLiteral("削除"));
    connect(action("MnuTreesave_Click"), &QAction::triggered, this, &GFrm::MnuTreesave_Click);
    connect(action("MnuDel_Click"), &QAction::triggered, this, &GFrm::MnuDel_Click);
}

void GFrm::refreshAppMenu() {
    app::ExternalApps apps;
    apps.loadAll(m_owner.settings());
    for (int k = 0; k < app::kExternalAppCount; ++k) {
        QAction* act = action("MnuApp_Click" + std::to_string(k));
        const std::string& title = apps.row(k).title;
        act->setText(k == 0 && title.empty() ? QStringLiteral("なし")
                                             : QString::fromStdString(title));
        act->setVisible(k == 0 || !title.empty());
    }
}

void GFrm::buildBands() {
    auto makeBand = [this](const char* key, const QString& title) {
        return m_bands.add(key, title);
    };
    auto button = [this](QToolBar* bar, const char* key, const QIcon& icon, const QString& tip,
                         bool firstBar) {
        QAction* act = BandStrip::button(bar, key, icon, tip);
        const QString k = QLatin1String(key);
        connect(act, &QAction::triggered, this, [this, k, firstBar] {
            firstBar ? Toolbar1_ButtonClick(k) : Toolbar2_ButtonClick(k);
        });
        m_actions[std::string("Toolbar_") + key] = act;
        return act;
    };

    QToolBar* files = makeBand("TLB1", QStringLiteral("ファイル"));
    button(files, "SAVE", style()->standardIcon(QStyle::SP_DialogSaveButton),
           QStringLiteral("ファイルの保存"), true);
    button(files, "PRINT", toolIcon(QStringLiteral("PRN")), QStringLiteral("印刷"), true);
    button(files, "DXF", toolIcon(QStringLiteral("DXF")), QStringLiteral("GコードをDXFへ"), true);

    QToolBar* views = makeBand("TLB2", QStringLiteral("表示"));
    m_viewButtons = new QActionGroup(this);
    m_viewButtons->setExclusive(true);
    for (const char* key : {"TEXT", "TREE"}) {
        QAction* act =
            button(views, key, toolIcon(QLatin1String(key)),
                   QLatin1String(key) == QLatin1String("TEXT") ? QStringLiteral("テキスト")
                                                               : QStringLiteral("ツリー"),
                   false);
        act->setCheckable(true);
        m_viewButtons->addAction(act);
    }
    action("Toolbar_TEXT")->setChecked(true);

    QToolBar* search = makeBand("PCT1", QStringLiteral("検索"));
    m_searchBox = new QComboBox(search);
    m_searchBox->setEditable(true);
    m_searchBox->setMinimumWidth(100);
    search->addWidget(m_searchBox);
    auto* find = new QPushButton(QStringLiteral("検索"), search);
    find->setObjectName(QStringLiteral("Command1"));
    search->addWidget(find);
    connect(find, &QPushButton::clicked, this, &GFrm::Command1_Click);

    QToolBar* progress = makeBand("PCT2", QStringLiteral("進行状況"));
    m_progress = new QProgressBar(progress);
    m_progress->setRange(0, 9);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setMinimumWidth(120);
    progress->addWidget(m_progress);
}

void GFrm::Form_Load() {
    app::SettingsStore& store = m_owner.settings();
    const app::PixelRect bounds =
        app::readWindowBounds(store, logicalDpiX(), kGfrmSection, kDefaultBounds);
    setGeometry(bounds.x, bounds.y, bounds.width, bounds.height);
    m_pane->setPaneFont(editorFont(app::readFontSettings(store, false)));
    applyBandLayout(app::readBandLayout(store, kGfrmSection));
    layoutViews();
}

void GFrm::applyBandLayout(const app::BandLayout& layout) {
    m_bands.apply(layout);
}

app::BandLayout GFrm::bandLayout() const {
    return m_bands.layout();
}

void GFrm::showView(bool tree) {
    m_treeView = tree;
    action(tree ? "Toolbar_TREE" : "Toolbar_TEXT")->setChecked(true);
    m_tree->setVisible(tree);
    layoutViews();
}

void GFrm::layoutViews() {
    const int width = m_body->width();
    const int height = m_body->height();
    if (!m_treeView) {
        m_pane->setGeometry(0, 0, width, height);
        m_pane->raise();
        return;
    }
    const int treeWidth = app::twipsToPixels(kTreeWidthTwips, logicalDpiX());
    const int paneLeft = app::twipsToPixels(kPaneLeftTwips, logicalDpiX());
    m_tree->setGeometry(0, 0, std::min(treeWidth, width), height);
    m_pane->setGeometry(paneLeft, 0, std::max(0, width - paneLeft), height);
}

bool GFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_body && event->type() == QEvent::Resize) {
        layoutViews();
    } else if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonRelease) {
        updateTreeMenu();
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            m_treeMenu->popup(mouse->globalPosition().toPoint());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void GFrm::updateTreeMenu() {
    const QString name = currentNodeName();
    action("MnuTreesave_Click")->setText(name + QStringLiteral("を保存"));
    action("MnuDel_Click")->setText(name + QStringLiteral("を削除"));
}

void GFrm::MnuEnd_Click() {
    close();
}

void GFrm::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void GFrm::Form_QueryUnload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    // The bounds stored are the normal ones, also when the window is maximised.
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    app::SettingsStore& store = m_owner.settings();
    app::writeWindowBounds(store,
                           app::PixelRect{normal.x(), normal.y(), normal.width(), normal.height()},
                           logicalDpiX(), kGfrmSection);
    app::writeBandLayout(store, bandLayout(), kGfrmSection);
    // The node files live only as long as the window. Links are removed, never
    // followed, and sub-folders are left alone.
    const QDir folder(nodeFolder());
    for (const QFileInfo& entry :
         folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile::remove(entry.filePath());
    }
}

}  // namespace talmir
