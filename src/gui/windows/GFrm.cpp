// The G-code window: start-up and menus, and how its program splits into sections.
#include "gui/windows/GFrm.h"

#include "core/app/ExternalApps.h"
#include "core/app/FontSettings.h"
#include "core/app/WindowBounds.h"
#include "core/editor/WorkFiles.h"
#include "core/export/SectionTree.h"
#include "gui/base/AppIcon.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/EditorFont.h"
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

const QString kHolderName = QStringLiteral("GFrmHolder");

}  // namespace

GFrm* GFrm::find(EditFrm& owner) {
    // Only GFrm windows are held under this name.
    return static_cast<GFrm*>(heldWindow(owner, kHolderName));
}

GFrm& GFrm::of(EditFrm& owner) {
    return heldOrNew<GFrm>(owner, kHolderName);
}

GFrm::GFrm(EditFrm& owner)
    : ProgramFrm(owner, Traits{QStringLiteral("GFrm"), QStringLiteral("Ｇコード"), kGfrmSection,
                               kDefaultBounds, editor::kGcodeDir, QStringLiteral("D"),
                               QStringLiteral("GコードをDXFへ"), "MnuNcDxf_Click"}) {
    buildMenus();
    Form_Load();
}

GFrm::~GFrm() = default;

void GFrm::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    addCommand(file, QStringLiteral("ファイルの保存..."), "MnuSave_Click",
               [this] { MnuSave_Click(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("印刷..."), "MnuPrint_Click", [this] { MnuPrint_Click(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("Gコードフォームを閉じる"), "MnuEnd_Click",
               [this] { MnuEnd_Click(); });

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
               [this] { MnuGcodeSeiri_Click(); });
    convert->addSeparator();
    addCommand(convert, QStringLiteral("プログラムのチェック..."), "MnuCheck_Click");

    QAction* graph = menuBar()->addAction(QStringLiteral("グラフィック(&G)"));
    m_actions["MnuGrph_Click"] = graph;
    connect(graph, &QAction::triggered, this, [this] { runCommand("MnuGrph_Click"); });

    QMenu* apps = menuBar()->addMenu(QStringLiteral("アプリ(&A)"));
    addCommand(apps, QStringLiteral("Vultaneへ出力"), "MnuVultane_Click",
               [this] { MnuVultane_Click(); });
    apps->addSeparator();
    addCommand(apps, QStringLiteral("ブラウザの選択..."), "MnuWWW_Click",
               [this] { MnuWWW_Click(); });
    apps->addSeparator();
    addCommand(apps, QStringLiteral("外部アプリの設定..."), "MnuAppSet_Click",
               [this] { MnuAppSet_Click(); });
    m_appMenu = apps->addMenu(QStringLiteral("外部アプリ"));
    for (int k = 0; k < app::kExternalAppCount; ++k) {
        QAction* act = m_appMenu->addAction(QString());
        connect(act, &QAction::triggered, this, [this, k] { MnuApp_Click(k); });
        m_actions["MnuApp_Click" + std::to_string(k)] = act;
    }
    // The editor's settings dialog may change the table at any time.
    connect(m_appMenu, &QMenu::aboutToShow, this, [this] { refreshAppMenu(); });
    refreshAppMenu();

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    addCommand(help, QStringLiteral("ReadMeの表示"), "MnuRead_Click", [this] { MnuRead_Click(); });
    addCommand(help, QStringLiteral("ホームページへ接続"), "MnuLinkMarlit_Click",
               [this] { MnuLinkMarlit_Click(); });
    addCommand(help, QStringLiteral("バージョン情報"), "MnuVer_Click", [this] { MnuVer_Click(); });

    m_actions["MnuTreesave_Click"] = m_treeMenu->addAction(QStringLiteral("保存"));
    m_actions["MnuDel_Click"] = m_treeMenu->addAction(QStringLiteral("削除"));
    connect(action("MnuTreesave_Click"), &QAction::triggered, this,
            [this] { MnuTreesave_Click(); });
    connect(action("MnuDel_Click"), &QAction::triggered, this, [this] { MnuDel_Click(); });
}

void GFrm::refreshAppMenu() {
    app::ExternalApps apps;
    apps.loadAll(owner().settings());
    for (int k = 0; k < app::kExternalAppCount; ++k) {
        QAction* act = action("MnuApp_Click" + std::to_string(k));
        const std::string& title = apps.row(k).title;
        act->setText(k == 0 && title.empty() ? QStringLiteral("なし")
                                             : QString::fromStdString(title));
        act->setVisible(k == 0 || !title.empty());
    }
}

std::vector<ProgramFrm::Node> GFrm::splitProgram(std::string_view program) {
    exporters::SectionSplit split = exporters::splitSections(program);
    if (split.failure) {
        throw *split.failure;
    }
    std::vector<Node> nodes;
    nodes.reserve(split.nodes.size());
    for (auto& node : split.nodes) {
        nodes.push_back(Node{std::move(node.name), std::move(node.data)});
    }
    return nodes;
}

std::string GFrm::joinProgram(const std::vector<Node>& nodes) {
    std::string program;
    for (const Node& node : nodes) {
        exporters::appendSection(program, node.name, node.data);
    }
    return program;
}

void GFrm::treeMenuShown(const QString& name) {
    action("MnuTreesave_Click")->setText(name + QStringLiteral("を保存"));
    action("MnuDel_Click")->setText(name + QStringLiteral("を削除"));
}

}  // namespace talmir
