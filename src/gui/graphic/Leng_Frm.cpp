#include "gui/graphic/Leng_Frm.h"

#include "core/app/ShellKeys.h"
#include "core/text/NumberPicture.h"
#include "gui/graphic/CvGrph.h"

#include <QCloseEvent>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

namespace talmir {

Leng_Frm::Leng_Frm(const GraphTools& tools, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_tools(tools) {
    setObjectName(QStringLiteral("Leng_Frm"));
    setWindowTitle(QStringLiteral("周長"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    const std::pair<const char*, const char*> keys[] = {
        {"tansen", "単線選択"}, {"lenzoku", "連続選択"}, {"off", "選択終了"}};
    for (const auto& [key, caption] : keys) {
        QAction* act = bar->addAction(QString::fromUtf8(caption));
        act->setObjectName(QLatin1String(key));
        const QString k = QLatin1String(key);
        connect(act, &QAction::triggered, this, [this, k] { Toolbar_ButtonClick(k); });
    }
    layout->addWidget(bar);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = m_picture->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    m_picture->setFont(font);
    layout->addWidget(m_picture);
    const app::SettingsStore& store = tools.settings;
    const auto section = app::kTalmirSection;
    resize(storedPixels(store, section, "LengWidth", 4000),
           storedPixels(store, section, "LengHeight", 1200));
    // At first over the top right of the plot, clear of the menus and bars.
    QPoint place(storedPixels(store, section, "LengLeft", 0),
                 storedPixels(store, section, "LengTop", 0));
    if (!store.contains(section, "LengLeft") && parent != nullptr) {
        const QRect frame = parent->geometry();
        place = QPoint(frame.right() - width() - 40, frame.top() + 120);
    }
    move(place);
    showTotal();
}

void Leng_Frm::Toolbar_ButtonClick(const QString& key) {
    CvGrph& graph = m_tools.graph;
    if (key == QLatin1String("tansen")) {
        graph.startPicking(CvGrph::kPickSingleAway);
    } else if (key == QLatin1String("lenzoku")) {
        graph.startPicking(CvGrph::kPickContourAway);
    } else if (key == QLatin1String("off")) {
        graph.GrphCmd(0);
    }
}

void Leng_Frm::showTotal() {
    m_picture->setText(
        QStringLiteral("選択周長 : ") +
        QString::fromStdString(text::formatPicture(m_tools.graph.SelectedLength, "######0.0#")) +
        QStringLiteral("㎜"));
}

void Leng_Frm::Form_Unload() {
    storeBounds(m_tools.settings, app::kTalmirSection, "Leng", *this);
}

void Leng_Frm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    m_tools.graph.GrphCmd(0);
    emit closed();
}

}  // namespace talmir
