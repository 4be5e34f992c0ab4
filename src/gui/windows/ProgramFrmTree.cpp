// The two views of a program window and the events of its tree.
#include "core/Failure.h"
#include "core/editor/WorkFiles.h"
#include "core/export/SectionTree.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramFrm.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>

namespace talmir {

namespace {

// Item data: the node's key ("D1", "T1", ...) and its committed name.
constexpr int kKeyRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toShiftJis(const QString& text, std::size_t* unmappable = nullptr) {
    const QByteArray utf8 = text.toUtf8();
    return text::utf8ToShiftJis(std::string_view(utf8.constData(), utf8.size()), unmappable);
}

Failure treeBuildError() {
    return Failure::message(std::string(exporters::kTreeBuildError));
}

QString nameOf(const QTreeWidgetItem* node) {
    return node->data(0, kNameRole).toString();
}

}  // namespace

QString ProgramFrm::currentNodeName() const {
    return m_currentNode == nullptr ? QString() : nameOf(m_currentNode);
}

QStringList ProgramFrm::nodeNames() const {
    QStringList names;
    for (int n = 0; n < m_tree->topLevelItemCount(); ++n) {
        names << nameOf(m_tree->topLevelItem(n));
    }
    return names;
}

std::string ProgramFrm::readNode(const QString& name) const {
    return readFileBytesOrThrow(nodePath(name));
}

bool ProgramFrm::storeCurrentNode() {
    if (m_currentNode == nullptr) {
        return true;
    }
    return m_guard->run({}, [this] {
        writeNodeFile(nameOf(m_currentNode), text::paneSnapshot(m_pane->shiftJis()));
    });
}

bool ProgramFrm::reloadCurrentNode() {
    if (m_currentNode == nullptr) {
        return true;
    }
    return m_guard->run({}, [this] { loadNode(m_currentNode); });
}

QString ProgramFrm::nodePath(const QString& name) const {
    return nodeFolder() + name;
}

void ProgramFrm::writeNodeFile(const QString& name, std::string_view bytes) const {
    // A link planted under a node's name is replaced, never written through.
    const QString path = nodePath(name);
    if (QFileInfo(path).isSymLink()) {
        QFile::remove(path);
    }
    writeFileBytesOrThrow(path, bytes);
}

bool ProgramFrm::TextOrTree(int index) {
    if (index == 1) {
        if (m_treeView) {
            // Splitting the pane again would split one section's data lines.
            return true;
        }
        const bool built = m_guard->run({}, [this] { buildTree(); });
        if (!built) {
            // The text stays in the text view as it was; nothing of it is lost.
            clearTree();
            showView(false);
        }
        return built;
    }
    if (index != 0 || !m_treeView) {
        // The text view already shows the program; it stays as it is.
        return true;
    }
    return m_guard->run({}, [this] { rebuildText(); });
}

void ProgramFrm::clearTree() {
    m_quiet = true;
    m_tree->clear();
    m_quiet = false;
    m_currentNode = nullptr;
}

void ProgramFrm::buildTree() {
    // The pane as it would be written to "BAK.$$$"; it is read once, in memory.
    std::vector<Node> nodes;
    {
        const std::string program = text::paneSnapshot(m_pane->shiftJis());
        m_guard->flicker();
        clearTree();
        nodes = splitProgram(program);
    }
    if (!QDir().mkpath(nodeFolder())) {
        throw treeBuildError();
    }
    m_quiet = true;
    QTreeWidgetItem* last = nullptr;
    try {
        for (std::size_t n = 0; n < nodes.size(); ++n) {
            const QString name = fromUtf8(exporters::nodeFileName(nodes[n].name));
            writeNodeFile(name, nodes[n].data);
            std::string().swap(nodes[n].data);
            last = new QTreeWidgetItem(m_tree, QStringList{name});
            last->setData(0, kKeyRole, m_traits.nodeKeyPrefix + QString::number(n + 1));
            last->setData(0, kNameRole, name);
            last->setFlags(last->flags() | Qt::ItemIsEditable);
        }
    } catch (const Failure&) {
        m_quiet = false;
        throw treeBuildError();
    }
    m_quiet = false;
    QFile::remove(m_owner.workFile(editor::kBakSwap));
    showView(true);
    if (last != nullptr) {
        m_tree->scrollToItem(last);
    }
    if (m_tree->topLevelItemCount() > 0) {
        loadNode(m_tree->topLevelItem(0));
    } else {
        m_pane->clearText();
    }
    m_tree->setFocus();
}

void ProgramFrm::loadNode(QTreeWidgetItem* node) {
    const std::string bytes = readFileBytesOrThrow(nodePath(nameOf(node)));
    m_pane->setShiftJis(bytes);
    m_quiet = true;
    m_tree->setCurrentItem(node);
    m_quiet = false;
    // The node shown is the node that a switch back to the text view saves.
    m_currentNode = node;
}

void ProgramFrm::rebuildText() {
    if (m_currentNode != nullptr) {
        writeNodeFile(nameOf(m_currentNode), text::paneSnapshot(m_pane->shiftJis()));
    }
    std::string program;
    {
        std::vector<Node> nodes;
        nodes.reserve(static_cast<std::size_t>(m_tree->topLevelItemCount()));
        for (int n = 0; n < m_tree->topLevelItemCount(); ++n) {
            const QString name = nameOf(m_tree->topLevelItem(n));
            m_guard->flicker();
            nodes.push_back(Node{toShiftJis(name), readFileBytesOrThrow(nodePath(name))});
        }
        program = joinProgram(nodes);
    }
    m_pane->setShiftJis(program);
    std::string().swap(program);
    showView(false);
    QFile::remove(m_owner.workFile(editor::kBakSwap));
}

void ProgramFrm::TreeView1_NodeClick(QTreeWidgetItem* node) {
    // What the pane held is not written back: only the text view and the node's
    // save command write a node file.
    m_guard->run({}, [&] { loadNode(node); });
}

bool ProgramFrm::TreeView1_AfterLabelEdit(QTreeWidgetItem* node, const QString& newName) {
    const QString oldName = nameOf(node);
    auto refuse = [&] {
        m_quiet = true;
        node->setText(0, oldName);
        m_quiet = false;
        return false;
    };
    if (newName == oldName) {
        return true;
    }
    std::size_t unmappable = 0;
    const std::string name = toShiftJis(newName, &unmappable);
    if (unmappable > 0 || !exporters::isSafeNodeName(name)) {
        m_guard->report(treeBuildError(), {});
        return refuse();
    }
    const QString fileName = fromUtf8(exporters::nodeFileName(name));
    if (fileName == oldName) {
        return refuse();  // the same name spelt another way: the label shows it as it is
    }
    // A name that another node file already has is refused.
    if (QFileInfo::exists(nodePath(fileName)) || QFileInfo(nodePath(fileName)).isSymLink()) {
        return refuse();
    }
    if (!QFile::rename(nodePath(oldName), nodePath(fileName))) {
        m_guard->report(treeBuildError(), {});
        return refuse();
    }
    m_quiet = true;
    node->setText(0, fileName);
    node->setData(0, kNameRole, fileName);
    m_quiet = false;
    m_currentNode = node;
    return true;
}

void ProgramFrm::deleteCurrentNode() {
    if (m_currentNode == nullptr) {
        return;
    }
    const QString name = currentNodeName();
    if (!m_owner.dialogs().askYesNo(this, name + QStringLiteral("を削除しますか?"), {})) {
        return;
    }
    QTreeWidgetItem* node = m_currentNode;
    m_currentNode = nullptr;
    m_quiet = true;
    delete node;
    m_quiet = false;
    QFile::remove(nodePath(name));
    m_pane->clearText();
    if (m_tree->topLevelItemCount() > 0) {
        m_guard->run({}, [this] { loadNode(m_tree->topLevelItem(0)); });
    } else {
        TextOrTree(0);
    }
}

}  // namespace talmir
