#include "gui/graphic/GraphTools.h"

#include "core/app/WindowBounds.h"
#include "render/QPainterCanvas.h"

#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QTableWidget>
#include <QTableWidgetItem>

namespace talmir {

namespace {

double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96;
}

}  // namespace

void paintColourCell(QTableWidgetItem& item, graphic::Colour colour) {
    const QColor shown = QPainterCanvas::toQColor(colour);
    item.setText(QString());
    item.setBackground(shown);
    item.setForeground(shown);
}

graphic::Colour cellColour(const QTableWidgetItem& item) {
    return QPainterCanvas::fromQColor(item.foreground().color());
}

QTableWidgetItem* gridCell(QTableWidget& grid, int row, int column) {
    QTableWidgetItem* item = grid.item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid.setItem(row, column, item);
    }
    return item;
}

void storeBounds(app::SettingsStore& store, std::string_view section, const std::string& prefix,
                 const QWidget& window) {
    storePixels(store, section, prefix + "Left", window.x());
    storePixels(store, section, prefix + "Top", window.y());
    storePixels(store, section, prefix + "Width", window.width());
    storePixels(store, section, prefix + "Height", window.height());
}

void fitNarrowColumns(QTableWidget& grid) {
    for (int column = 0; column < grid.columnCount(); ++column) {
        const int stored = grid.columnWidth(column);
        grid.resizeColumnToContents(column);
        if (grid.columnWidth(column) < stored) {
            grid.setColumnWidth(column, stored);
        }
    }
}

void listTableFiles(QListWidget& list, const QString& folder) {
    list.clear();
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    list.addItems(names);
}

int pixelsOfTwips(double twips) {
    return app::twipsToPixels(twips, screenDpi());
}

int storedPixels(const app::SettingsStore& store, std::string_view section, std::string_view key,
                 double defaultTwips) {
    return pixelsOfTwips(store.getNumber(section, key, defaultTwips));
}

void storePixels(app::SettingsStore& store, std::string_view section, std::string_view key,
                 int pixels) {
    store.setNumber(section, key, app::pixelsToTwips(pixels, screenDpi()));
}

}  // namespace talmir
