// The program windows' shell: start-up, tool strip, layout, save, print, search
// and closing.
#include "gui/windows/ProgramFrm.h"

#include "core/app/FontSettings.h"
#include "core/app/WindowBounds.h"
#include "core/editor/WorkFiles.h"
#include "core/text/Lines.h"
#include "gui/base/AppIcon.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/EditorFont.h"
#include "gui/base/FileIo.h"
#include "gui/base/PaneSearch.h"
#include "gui/base/TextPane.h"
#include "gui/base/TextPrinter.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace talmir {

namespace {

// The tree's width, and where the pane starts beside it, in twips.
constexpr double kTreeWidthTwips = 2450;
constexpr double kPaneLeftTwips = 2500;

const QString kAllFilesFilter = QStringLiteral("全てのﾌｧｲﾙ(*.*)|*.*");

// Keeps one program window of an editor; deleting the editor deletes the window.
class ProgramFrmHolder : public QObject {
public:
    ProgramFrmHolder(QObject* parent, const QString& name) : QObject(parent) {
        setObjectName(name);
    }
    ~ProgramFrmHolder() override { delete frm.data(); }

    QPointer<ProgramFrm> frm;
};

ProgramFrmHolder* holderOf(EditFrm& owner, const QString& name) {
    // Holders are the only children named so.
    return static_cast<ProgramFrmHolder*>(
        owner.findChild<QObject*>(name, Qt::FindDirectChildrenOnly));
}

}  // namespace

ProgramFrm* ProgramFrm::heldWindow(EditFrm& owner, const QString& holderName) {
    ProgramFrmHolder* holder = holderOf(owner, holderName);
    if (holder == nullptr || holder->frm.isNull() || holder->frm->isUnloaded()) {
        return nullptr;
    }
    return holder->frm.data();
}

void ProgramFrm::hold(EditFrm& owner, const QString& holderName, ProgramFrm* window) {
    ProgramFrmHolder* holder = holderOf(owner, holderName);
    if (holder == nullptr) {
        holder = new ProgramFrmHolder(&owner, holderName);
    }
    holder->frm = window;
}

ProgramFrm::ProgramFrm(EditFrm& owner, Traits traits)
    : m_owner(owner),
      m_traits(std::move(traits)),
      m_guard(std::make_unique<CommandGuard>(owner.dialogs(), this)),
      m_ownBarGuard(std::make_unique<CommandGuard>(owner.dialogs(), this)) {
    setObjectName(m_traits.objectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_traits.caption);
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
    m_treeMenu = new QMenu(this);
}

ProgramFrm::~ProgramFrm() = default;

QAction* ProgramFrm::action(std::string_view handler) const {
    const auto it = m_actions.find(handler);
    return it == m_actions.end() ? nullptr : it->second;
}

QToolBar* ProgramFrm::band(std::string_view key) const {
    return m_bands.band(key);
}

QString ProgramFrm::nodeFolder() const {
    return m_owner.workFile(m_traits.nodeFolder);
}

QAction* ProgramFrm::addCommand(QMenu* menu, const QString& caption, const std::string& handler,
                                std::function<void()> slot) {
    QAction* act = menu->addAction(caption);
    m_actions[handler] = act;
    if (slot) {
        connect(act, &QAction::triggered, this, std::move(slot));
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

void ProgramFrm::buildBands() {
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
    button(files, "DXF", toolIcon(QStringLiteral("DXF")), m_traits.dxfTip, true);

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
    connect(find, &QPushButton::clicked, this, &ProgramFrm::Command1_Click);

    QToolBar* progress = makeBand("PCT2", QStringLiteral("進行状況"));
    m_progress = new QProgressBar(progress);
    m_progress->setRange(0, 9);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setMinimumWidth(120);
    progress->addWidget(m_progress);
    m_ownBarGuard->setProgressBar(m_progress);
}

void ProgramFrm::Form_Load() {
    app::SettingsStore& store = m_owner.settings();
    const app::PixelRect bounds =
        app::readWindowBounds(store, logicalDpiX(), m_traits.section, m_traits.defaultBounds);
    setGeometry(bounds.x, bounds.y, bounds.width, bounds.height);
    m_pane->setPaneFont(editorFont(app::readFontSettings(store, false)));
    applyBandLayout(app::readBandLayout(store, m_traits.section));
    layoutViews();
}

void ProgramFrm::applyBandLayout(const app::BandLayout& layout) {
    m_bands.apply(layout);
}

app::BandLayout ProgramFrm::bandLayout() const {
    return m_bands.layout();
}

void ProgramFrm::showView(bool tree) {
    m_treeView = tree;
    action(tree ? "Toolbar_TREE" : "Toolbar_TEXT")->setChecked(true);
    m_tree->setVisible(tree);
    layoutViews();
}

void ProgramFrm::layoutViews() {
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

bool ProgramFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_body && event->type() == QEvent::Resize) {
        layoutViews();
    } else if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonRelease) {
        treeMenuShown(currentNodeName());
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            m_treeMenu->popup(mouse->globalPosition().toPoint());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void ProgramFrm::Toolbar1_ButtonClick(const QString& key) {
    if (key == QLatin1String("SAVE")) {
        MnuSave_Click();
    } else if (key == QLatin1String("PRINT")) {
        MnuPrint_Click();
    } else if (key == QLatin1String("DXF")) {
        runCommand(m_traits.dxfHandler);
    }
}

void ProgramFrm::Toolbar2_ButtonClick(const QString& key) {
    if (key == QLatin1String("TEXT")) {
        TextOrTree(0);
    } else if (key == QLatin1String("TREE")) {
        TextOrTree(1);
    }
}

void ProgramFrm::MnuSave_Click() {
    saveTo(true, QString());
}

void ProgramFrm::saveTo(bool switchToText, const QString& fileName) {
    if (switchToText && m_treeView && !TextOrTree(0)) {
        return;
    }
    const auto path =
        m_owner.dialogs().saveFile(this, FileDialogRequest{{}, {}, fileName, kAllFilesFilter});
    if (!path) {
        return;
    }
    m_guard->run({}, [&] {
        const std::string bytes = m_pane->shiftJis();
        writeFileBytesOrThrow(m_owner.workFile(editor::kBakDat), text::paneSnapshot(bytes));
        m_guard->flicker();
        writeFileBytesOrThrow(*path, text::saveWithLineEnd(bytes, text::LineEnd::CrLf));
    });
}

void ProgramFrm::MnuPrint_Click() {
    // The whole pane as it is shown: the program, or the selected node's data lines.
    printPane(this, *m_pane, m_owner.settings(), m_owner.dialogs(), *m_guard, windowTitle());
}

void ProgramFrm::Command1_Click() {
    searchPane(*m_pane, *m_searchBox, m_owner.dialogs(), this, m_owner.workFile(editor::kBakDat));
}

void ProgramFrm::MnuEnd_Click() {
    close();
}

void ProgramFrm::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void ProgramFrm::Form_QueryUnload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    // The bounds stored are the normal ones, also when the window is maximised.
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    app::SettingsStore& store = m_owner.settings();
    app::writeWindowBounds(store,
                           app::PixelRect{normal.x(), normal.y(), normal.width(), normal.height()},
                           logicalDpiX(), m_traits.section);
    app::writeBandLayout(store, bandLayout(), m_traits.section);
    // The node files live only as long as the window. Links are removed, never
    // followed, and sub-folders are left alone.
    const QDir folder(nodeFolder());
    for (const QFileInfo& entry :
         folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile::remove(entry.filePath());
    }
}

}  // namespace talmir
