#pragma once
// The G-code window (caption "Ｇコード"): the program a conversion produced, in one
// plain-text pane, and a tree view that splits it into one node per distinct
// section line so that one section at a time can be looked at, edited, saved or
// deleted. Each node lives as a file in "Gcode/" under the application folder
// while the window is open.
//
// The window belongs to an editor window: GFrm::of(editor) creates it on first use
// and hands back the same window until it is closed. The shell it shares with the
// hole-data window is ProgramFrm; GFrm.cpp holds its menus and GFrmCommands.cpp
// its own commands (sort, external programs). The exports and the graph are
// commands of their areas, registered for this window (see ProgramWindow.h).

#include "gui/windows/ProgramFrm.h"

namespace talmir {

class GFrm : public ProgramFrm {
    Q_OBJECT
public:
    explicit GFrm(EditFrm& owner);
    ~GFrm() override;

    // The G-code window of `owner`, created (hidden) when there is none open.
    static GFrm& of(EditFrm& owner);
    // The open G-code window of `owner`, or null.
    static GFrm* find(EditFrm& owner);

    Kind kind() const override { return Kind::Gcode; }

    // Conversions.
    void MnuGcodeSeiri_Click();
    // The graph and the exports run the commands registered for this window.
    void MnuGrph_Click() { runCommand("MnuGrph_Click"); }
    void MnuNcDxf_Click() { runCommand("MnuNcDxf_Click"); }
    void MnuIges_Click() { runCommand("MnuIges_Click"); }
    void MnuNcGbr_Click() { runCommand("MnuNcGbr_Click"); }
    void MnuGHpgl_Click() { runCommand("MnuGHpgl_Click"); }
    void MnuG81Nc_Click() { runCommand("MnuG81Nc_Click"); }
    void MnuG81Raundo_Click() { runCommand("MnuG81Raundo_Click"); }
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
    void MnuDel_Click() { deleteCurrentNode(); }

protected:
    std::vector<Node> splitProgram(std::string_view program) override;
    std::string joinProgram(const std::vector<Node>& nodes) override;
    void treeMenuShown(const QString& name) override;

private:
    void buildMenus();
    void refreshAppMenu();

    QMenu* m_appMenu = nullptr;
};

}  // namespace talmir
