// The hole-data window: start-up and menus, and how its text splits into tools.
#include "gui/windows/NcFrm.h"

#include "core/export/HoleTree.h"
#include "core/text/Lines.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace talmir {

namespace {

constexpr std::string_view kNcfrmSection = "Ncfrm";
// Window bounds when none are stored, in twips.
constexpr app::TwipsRect kDefaultBounds{1000, 1000, 8000, 7000};
constexpr std::string_view kTcodeDir = "Tcode/";

const QString kHolderName = QStringLiteral("NcFrmHolder");

}  // namespace

NcFrm* NcFrm::find(EditFrm& owner) {
    // Only NcFrm windows are held under this name.
    return static_cast<NcFrm*>(heldWindow(owner, kHolderName));
}

NcFrm& NcFrm::of(EditFrm& owner) {
    return heldOrNew<NcFrm>(owner, kHolderName);
}

NcFrm::NcFrm(EditFrm& owner)
    : ProgramFrm(owner, Traits{QStringLiteral("NcFrm"), QStringLiteral("ＮＣコード"), kNcfrmSection,
                               kDefaultBounds, kTcodeDir, QStringLiteral("T"),
                               QStringLiteral("DXF形式へ変換"), "MnuHolDxf_Click"}) {
    buildMenus();
    Form_Load();
}

NcFrm::~NcFrm() = default;

void NcFrm::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    addCommand(file, QStringLiteral("ファイルの保存..."), "MnuSave_Click",
               [this] { MnuSave_Click(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("印刷..."), "MnuPrint_Click", [this] { MnuPrint_Click(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("閉じる"), "MnuEnd_Click", [this] { MnuEnd_Click(); });

    QMenu* convert = menuBar()->addMenu(QStringLiteral("形式変換(&R)"));
    addCommand(convert, QStringLiteral("ガーバ形式へ変換..."), "MnuGhenkan_Click");
    addCommand(convert, QStringLiteral("DXF形式へ変換..."), "MnuHolDxf_Click");
    addCommand(convert, QStringLiteral("IGES形式へ変換"), "MnuIges_Click");
    convert->addSeparator();
    addCommand(convert, QStringLiteral("Vultaneへ出力"), "MnuVultane_Click",
               [this] { MnuVultane_Click(); });
    addCommand(convert, QStringLiteral("エクセルへ出力..."), "MnuDlrExcel_Click");

    QAction* graph = menuBar()->addAction(QStringLiteral("グラフィック(&G)"));
    m_actions["MnuGrph_Click"] = graph;
    graph->setEnabled(findProgramWindowCommand(kind(), "MnuGrph_Click") != nullptr);
    connect(graph, &QAction::triggered, this, [this] { MnuGrph_Click(); });

    m_actions["MnuTrvDel_Click"] = m_treeMenu->addAction(QStringLiteral("削除"));
    connect(action("MnuTrvDel_Click"), &QAction::triggered, this, [this] { MnuTrvDel_Click(); });
}

std::vector<ProgramFrm::Node> NcFrm::splitProgram(std::string_view program) {
    auto tree = exporters::holeTree(program);
    if (!tree) {
        throw tree.failure();
    }
    std::vector<Node> nodes;
    nodes.reserve(tree.value().size());
    for (exporters::HoleNode& tool : tree.value()) {
        // The node file: the definition rest, then the tool's coordinate lines.
        std::string data = std::move(tool.definition);
        if (!tool.lines.empty()) {
            data += "\r\n";
            data += tool.lines;
            data.resize(data.size() - 2);  // the pane's text has no line end after its last line
        }
        nodes.push_back(Node{std::move(tool.code), std::move(data)});
    }
    return nodes;
}

std::string NcFrm::joinProgram(const std::vector<Node>& nodes) {
    std::vector<exporters::HoleNode> tools;
    tools.reserve(nodes.size());
    for (const Node& node : nodes) {
        exporters::HoleNode tool;
        tool.code = node.name;
        text::LineReader reader(node.data);
        std::string_view line;
        if (reader.next(line)) {
            tool.definition = std::string(line);
        }
        while (reader.next(line)) {
            if (!line.empty()) {
                tool.lines.append(line).append("\r\n");
            }
        }
        tools.push_back(std::move(tool));
    }
    return exporters::holeText(tools);
}

}  // namespace talmir
