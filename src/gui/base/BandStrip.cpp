#include "gui/base/BandStrip.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QToolBar>

#include <algorithm>
#include <vector>

namespace talmir {

QToolBar* BandStrip::add(const char* key, const QString& title) {
    auto* bar = new QToolBar(title, &m_window);
    bar->setObjectName(QLatin1String(key));
    bar->setMovable(true);
    m_bands[key] = bar;
    return bar;
}

QToolBar* BandStrip::band(std::string_view key) const {
    const auto it = m_bands.find(key);
    return it == m_bands.end() ? nullptr : it->second;
}

QAction* BandStrip::button(QToolBar* bar, const char* key, const QIcon& icon, const QString& tip) {
    QAction* act = bar->addAction(icon, QLatin1String(key));
    act->setObjectName(QLatin1String(key));
    act->setToolTip(tip);
    return act;
}

void BandStrip::apply(const app::BandLayout& layout) {
    for (const auto& [key, bar] : m_bands) {
        m_window.removeToolBar(bar);
    }
    for (std::size_t n = 0; n < layout.keys.size(); ++n) {
        QToolBar* bar = band(layout.keys[n]);
        if (bar == nullptr) {
            continue;
        }
        if (n > 0 && layout.newRow[n]) {
            m_window.addToolBarBreak(Qt::TopToolBarArea);
        }
        m_window.addToolBar(Qt::TopToolBarArea, bar);
        bar->show();
    }
    m_applied = layout;
}

app::BandLayout BandStrip::layout() const {
    if (!m_window.isVisible()) {
        return m_applied;
    }
    std::vector<QToolBar*> bars;
    for (const auto& [key, bar] : m_bands) {
        bars.push_back(bar);
    }
    std::sort(bars.begin(), bars.end(), [](const QToolBar* a, const QToolBar* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    app::BandLayout layout;
    for (std::size_t n = 0; n < bars.size() && n < layout.keys.size(); ++n) {
        layout.keys[n] = bars[n]->objectName().toStdString();
        layout.newRow[n] = n > 0 && bars[n]->y() != bars[n - 1]->y();
    }
    return layout;
}

}  // namespace talmir
