#pragma once
// The G-code window (caption "Ｇコード"): the program a conversion produced, in one
// plain-text pane, and a tree view that splits it into one node per distinct
// section line so that one section at a time can be looked at, edited, saved or
// deleted. Each node lives as a file in "Gcode/" under the application folder
// while the window is open.
//
// The window belongs to an editor window: GFrm::of(editor) creates it on first use
// and hands back the same window until it is closed. Its member functions are
// spread by menu: GFrm.cpp (start-up, layout, tool strip, closing), GFrmTree.cpp
// (the two views and the tree events), GFrmCommands.cpp (save, print, sort,
// search, external programs). The exports and the graph are commands of their
// areas, registered for this window (see ProgramWindow.h).

#include "core/app/BandLayout.h"
#include "gui/base/BandStrip.h"
#include "gui/windows/ProgramWindow.h"

#include <QMainWindow>
#include <QString>

#include <map>
#include <memory>
#include <string>
#include <string_view>

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

class GFrm : public QMainWindow, public ProgramWindow {
    Q_OBJECT
public:
    explicit GFrm(EditFrm& owner);
    ~GFrm() override;

    // The G-code window of `owner`, created (hidden) when there is none open.
    static GFrm& of(EditFrm& owner);
    // The open G-code window of `owner`, or null.
    static GFrm* find(EditFrm& owner);

    Kind kind() const override { return Kind::Gcode; }
    QMainWindow& window() override { return *this; }
    EditFrm& owner() override { return m_owner; }
    TextPane& pane() override { return *m_pane; }
    CommandGuard& guard() override { return *m_guard; }
    QTreeWidget& tree() { return *m_tree; }
    QComboBox& searchBox() { return *m_searchBox; }
    // The menu entry or tool button run by `handler` ("MnuSave_Click",
    // "Toolbar_TREE"); entries of a control array add their index ("MnuApp_Click3").
    QAction* action(std::string_view handler) const;
    QMenu& treeMenu() { return *m_treeMenu; }
    QToolBar* band(std::string_view key) const;

    bool isTreeView() const override { return m_treeView; }
    // The node last clicked (empty when none).
    QString currentNodeName() const;
    // `AppDir` + "Gcode/".
    QString nodeFolder() const;

    // 0: the text view (the program rebuilt from the nodes), 1: the tree view (the
    // program split into nodes). False when the switch failed and was reported;
    // the window then stays as it was. Asking for the view already shown changes
    // nothing.
    bool TextOrTree(int index) override;

    // File menu.
    void MnuSave_Click();
    void MnuPrint_Click();
    void MnuEnd_Click();
    // Conversions.
    void MnuGcodeSeiri_Click();
    // The graph and the exports run the commands registered for this window.
    void MnuGrph_Click() { runCommand("MnuGrph_Click"); }
    void MnuNcDxf_Click() { runCommand("MnuNcDxf_Click"); }
    void MnuIges_Click() { runCommand("MnuIges_Click"); }
    void MnuNcGbr_Click() { runCommand("MnuNcGbr_Click"); }
    void MnuGHpgl_Click() { runCommand("MnuGHpgl_Click"); }
    // Applications and help.
    void MnuVultane_Click();
    void MnuApp_Click(int index);
    void MnuAppSet_Click();
    void MnuWWW_Click();
    void MnuLinkMarlit_Click();
    void MnuRead_Click();
    void MnuVer_Click();
    // Tree pop-up menu.
    void MnuTreesave_Click();
    void MnuDel_Click();
    // Tool strip.
    void Toolbar1_ButtonClick(const QString& key);
    void Toolbar2_ButtonClick(const QString& key);
    void Command1_Click();

    // Tree events.
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    // A label edited to `newName`: renames the node and its file, or refuses (and
    // puts the old label back). True when the node has the new name.
    bool TreeView1_AfterLabelEdit(QTreeWidgetItem* node, const QString& newName);

    app::BandLayout bandLayout() const;
    void applyBandLayout(const app::BandLayout& layout);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildBands();
    QAction* addCommand(QMenu* menu, const QString& caption, const std::string& handler,
                        void (GFrm::*slot)() = nullptr);
    void Form_Load();
    void Form_QueryUnload();
    void layoutViews();
    void showView(bool tree);
    void refreshAppMenu();

    void buildTree();
    void rebuildText();
    void clearTree();
    void loadNode(QTreeWidgetItem* node);
    void writeNodeFile(const QString& name, std::string_view bytes) const;
    QString nodePath(const QString& name) const;
    void updateTreeMenu();
    void saveTo(bool switchToText, const QString& fileName);

    EditFrm& m_owner;
    std::unique_ptr<CommandGuard> m_guard;
    QWidget* m_body = nullptr;
    QTreeWidget* m_tree = nullptr;
    TextPane* m_pane = nullptr;
    QComboBox* m_searchBox = nullptr;
    QProgressBar* m_progress = nullptr;
    QMenu* m_treeMenu = nullptr;
    QMenu* m_appMenu = nullptr;
    QActionGroup* m_viewButtons = nullptr;
    BandStrip m_bands{*this};
    std::map<std::string, QAction*, std::less<>> m_actions;

    bool m_treeView = false;
    bool m_quiet = false;  // tree changes made by the window itself, not by the user
    QTreeWidgetItem* m_currentNode = nullptr;
    bool m_unloaded = false;
};

}  // namespace talmir
