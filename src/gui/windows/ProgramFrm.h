#pragma once
// What the G-code window and the hole-data window have in common: one plain-text
// pane beside a tree with one node per part of the program (a section, a tool),
// each node living as a file in the window's node folder while the window is
// open; the tool strip (TLB1 files, TLB2 views, PCT1 search, PCT2 progress), save,
// print, search, close, node rename and delete, and the settings section that
// keeps the window's bounds and bands.
//
// A window derives from this, says how its program splits into nodes and joins
// again, and builds its own menus with addCommand. Its member functions are spread:
// ProgramFrm.cpp (start-up, strip, layout, closing, commands) and ProgramFrmTree.cpp
// (the two views and the tree events).

#include "core/app/BandLayout.h"
#include "core/app/WindowBounds.h"
#include "gui/base/BandStrip.h"
#include "gui/windows/ProgramWindow.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QMenu;
class QProgressBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace talmir {

class CommandGuard;
class EditFrm;
class TextPane;

class ProgramFrm : public QMainWindow, public ProgramWindow {
    Q_OBJECT
public:
    // The window's fixed traits.
    struct Traits {
        QString objectName;            // "GFrm"
        QString caption;               // "Ｇコード"
        std::string_view section;      // settings section of bounds and bands
        app::TwipsRect defaultBounds;  // when none are stored
        std::string_view nodeFolder;   // under the application folder, ending in "/"
        QString nodeKeyPrefix;         // node keys are this + the node number
        QString dxfTip;                // tool tip of the DXF button of TLB1
        std::string dxfHandler;        // the command the DXF button runs
    };

    // One node of the tree: its name (the node text, and the name of its file, as
    // Shift-JIS) and the bytes of its file.
    struct Node {
        std::string name;
        std::string data;
    };

    ~ProgramFrm() override;

    EditFrm& owner() override { return m_owner; }
    QMainWindow& window() override { return *this; }
    TextPane& pane() override { return *m_pane; }
    CommandGuard& guard() override { return *m_guard; }
    CommandGuard& ownBarGuard() override { return *m_ownBarGuard; }
    bool isTreeView() const override { return m_treeView; }
    // 0: the text view (the program rebuilt from the nodes), 1: the tree view (the
    // program split into nodes). False when the switch failed and was reported;
    // the window then stays as it was. Asking for the view already shown changes
    // nothing.
    bool TextOrTree(int index) override;
    QStringList nodeNames() const override;
    std::string readNode(const QString& name) const override;
    void writeNode(const QString& name, std::string_view bytes) override {
        writeNodeFile(name, bytes);
    }
    bool storeCurrentNode() override;
    bool reloadCurrentNode() override;

    QTreeWidget& tree() { return *m_tree; }
    QComboBox& searchBox() { return *m_searchBox; }
    // The menu entry or tool button run by `handler` ("MnuSave_Click",
    // "Toolbar_TREE"); entries of a control array add their index ("MnuApp_Click3").
    QAction* action(std::string_view handler) const;
    QMenu& treeMenu() { return *m_treeMenu; }
    QToolBar* band(std::string_view key) const;

    // The node last clicked (empty when none).
    QString currentNodeName() const;
    // `AppDir` + the window's node folder.
    QString nodeFolder() const;

    // File menu: save the program (from the text view), print the pane, close.
    void MnuSave_Click();
    void MnuPrint_Click();
    void MnuEnd_Click();
    void Command1_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void Toolbar2_ButtonClick(const QString& key);

    // Tree events.
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    // A label edited to `newName`: renames the node and its file, or refuses (and
    // puts the old label back). True when the node has the new name.
    bool TreeView1_AfterLabelEdit(QTreeWidgetItem* node, const QString& newName);
    // Deletes the current node and its file after asking.
    void deleteCurrentNode();

    // True once the window has stored its settings and emptied its node folder.
    bool isUnloaded() const { return m_unloaded; }

    app::BandLayout bandLayout() const;
    void applyBandLayout(const app::BandLayout& layout);

protected:
    ProgramFrm(EditFrm& owner, Traits traits);

    // The window of `owner` kept under `holderName`, while it is open; an editor
    // holds one window of each kind, and deleting the editor deletes them.
    static ProgramFrm* heldWindow(EditFrm& owner, const QString& holderName);
    static void hold(EditFrm& owner, const QString& holderName, ProgramFrm* window);
    // The held window, or a new (hidden) one that is held from now on.
    template <class Frm>
    static Frm& heldOrNew(EditFrm& owner, const QString& holderName) {
        // Only windows of this type are held under `holderName`.
        if (auto* open = static_cast<Frm*>(heldWindow(owner, holderName))) {
            return *open;
        }
        auto* frm = new Frm(owner);
        hold(owner, holderName, frm);
        return *frm;
    }

    // Call once from the derived constructor, after its menus are built.
    void Form_Load();

    // The program split into its nodes, in order; throws Failure when it cannot
    // be (the window then shows "エラーが発生しました" or the failure's message).
    virtual std::vector<Node> splitProgram(std::string_view program) = 0;
    // The program joined again from its nodes, in tree order.
    virtual std::string joinProgram(const std::vector<Node>& nodes) = 0;
    // The tree's pop-up menu is about to show for the node `name`.
    virtual void treeMenuShown(const QString& name) { (void)name; }

    // A menu entry running `slot`, or, without one, the command registered for
    // this window under `handler` (disabled when none is).
    QAction* addCommand(QMenu* menu, const QString& caption, const std::string& handler,
                        std::function<void()> slot = {});
    // Saves the pane to a file the user names (after switching to the text view
    // when `switchToText`); `fileName` is offered.
    void saveTo(bool switchToText, const QString& fileName);

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::map<std::string, QAction*, std::less<>> m_actions;
    QMenu* m_treeMenu = nullptr;

private:
    void buildBands();
    void Form_QueryUnload();
    void layoutViews();
    void showView(bool tree);

    void buildTree();
    void rebuildText();
    void clearTree();
    void loadNode(QTreeWidgetItem* node);
    void writeNodeFile(const QString& name, std::string_view bytes) const;
    QString nodePath(const QString& name) const;

    EditFrm& m_owner;
    Traits m_traits;
    std::unique_ptr<CommandGuard> m_guard;        // shows progress on the editor's bar
    std::unique_ptr<CommandGuard> m_ownBarGuard;  // on the window's own
    QWidget* m_body = nullptr;
    QTreeWidget* m_tree = nullptr;
    TextPane* m_pane = nullptr;
    QComboBox* m_searchBox = nullptr;
    QProgressBar* m_progress = nullptr;
    QActionGroup* m_viewButtons = nullptr;
    BandStrip m_bands{*this};

    bool m_treeView = false;
    bool m_quiet = false;  // tree changes made by the window itself, not by the user
    QTreeWidgetItem* m_currentNode = nullptr;
    bool m_unloaded = false;
};

}  // namespace talmir
