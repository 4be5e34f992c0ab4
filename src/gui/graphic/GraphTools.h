#pragma once
// What the graphic frame's tool windows (layers, line-width tables, perimeter,
// coordinate check) work on: the plot and its tables, the dialogs, the settings
// store and the application folder; and the grid cells they share.

#include "core/app/SettingsStore.h"
#include "core/graphic/Canvas.h"

#include <QString>

class QListWidget;
class QTableWidget;
class QWidget;
class QTableWidgetItem;

namespace talmir {

class CvGrph;
class Dialogs;

struct GraphTools {
    CvGrph& graph;
    Dialogs& dialogs;
    app::SettingsStore& settings;
    QString appDir;  // ends in "/"

    // The folder of the line-width tables, "apt/" in the application folder.
    QString tableFolder() const { return appDir + QStringLiteral("apt/"); }
};

// A colour cell: no text, background and text in the colour.
void paintColourCell(QTableWidgetItem& item, graphic::Colour colour);
// The colour a colour cell shows.
graphic::Colour cellColour(const QTableWidgetItem& item);

// Widens the columns of `grid` that are narrower than their header or text.
void fitNarrowColumns(QTableWidget& grid);

// Fills `list` with the files of the table folder, by name.
void listTableFiles(QListWidget& list, const QString& folder);

// The cell of `grid` at (row, column), made (shown, not editable) when it has none.
QTableWidgetItem* gridCell(QTableWidget& grid, int row, int column);

// A window's left, top, width and height stored under `prefix` + "Left", "Top",
// "Width" and "Height" of `section`, in twips.
void storeBounds(app::SettingsStore& store, std::string_view section, const std::string& prefix,
                 const QWidget& window);

// Twips as pixels of the screen.
int pixelsOfTwips(double twips);
// A pixel size of a window from its twips in the store (section, key, default).
int storedPixels(const app::SettingsStore& store, std::string_view section, std::string_view key,
                 double defaultTwips);
void storePixels(app::SettingsStore& store, std::string_view section, std::string_view key,
                 int pixels);

}  // namespace talmir
