#pragma once
// The tool strip of a main window: four movable bands, each holding one panel
// named by its key ("TLB1", "PCT1"), placed in the order and rows of a stored
// layout and read back from where the user dragged them.

#include "core/app/BandLayout.h"

#include <QString>

#include <map>
#include <string>
#include <string_view>

class QAction;
class QIcon;
class QMainWindow;
class QToolBar;

namespace talmir {

class BandStrip {
public:
    explicit BandStrip(QMainWindow& window) : m_window(window) {}

    // A new band `key` titled `title`; placed by apply().
    QToolBar* add(const char* key, const QString& title);
    QToolBar* band(std::string_view key) const;
    // A button named `key` with a tool tip; the caller connects it.
    static QAction* button(QToolBar* bar, const char* key, const QIcon& icon, const QString& tip);

    void apply(const app::BandLayout& layout);
    // Rows from top to bottom, bands from left to right within a row. Before the
    // window has been laid out the bands are where apply() put them.
    app::BandLayout layout() const;

private:
    QMainWindow& m_window;
    std::map<std::string, QToolBar*, std::less<>> m_bands;
    app::BandLayout m_applied;
};

}  // namespace talmir
