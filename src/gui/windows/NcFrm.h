#pragma once
// The hole-data window (caption "ＮＣコード"): drilling data, a tool table followed
// by the hole coordinates of each tool, in one plain-text pane, and a tree view
// with one node per tool. Each node lives as a file named by its tool code in
// "Tcode/" under the application folder while the window is open: the rest of the
// tool's definition line (C1.0 of T01C1.0) first, then its coordinate lines.
//
// Like the G-code window it belongs to an editor (NcFrm::of) and shares the
// ProgramFrm shell; the exports and the graph are commands of their areas,
// registered for windows of the kind Holes.

#include "gui/windows/ProgramFrm.h"

namespace talmir {

class NcFrm : public ProgramFrm {
    Q_OBJECT
public:
    explicit NcFrm(EditFrm& owner);
    ~NcFrm() override;

    // The hole-data window of `owner`, created (hidden) when there is none open.
    static NcFrm& of(EditFrm& owner);
    // The open hole-data window of `owner`, or null.
    static NcFrm* find(EditFrm& owner);

    Kind kind() const override { return Kind::Holes; }

    // The conversions and the graph run the commands registered for this window.
    void MnuGhenkan_Click() { runCommand("MnuGhenkan_Click"); }
    void MnuHolDxf_Click() { runCommand("MnuHolDxf_Click"); }
    void MnuIges_Click() { runCommand("MnuIges_Click"); }
    void MnuDlrExcel_Click() { runCommand("MnuDlrExcel_Click"); }
    void MnuGrph_Click() { runCommand("MnuGrph_Click"); }
    // Hands nothing to anybody: there is no hole-data program to hand it to.
    void MnuVultane_Click() {}
    // Tree pop-up menu.
    void MnuTrvDel_Click() { deleteCurrentNode(); }

protected:
    std::vector<Node> splitProgram(std::string_view program) override;
    std::string joinProgram(const std::vector<Node>& nodes) override;

private:
    void buildMenus();
};

}  // namespace talmir
