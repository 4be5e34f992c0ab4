#include "gui/export/RaundFrm.h"

#include "core/export/G81ToHoles.h"
#include "core/text/NumericValue.h"

namespace talmir {

namespace {

constexpr int kShapeColumn = 1;
const QString kRound = QStringLiteral("円形");
const QString kSquare = QStringLiteral("角形");

SectionGridColumns contourColumns() {
    SectionGridColumns columns;
    columns.heads = {QStringLiteral("名称"),    QStringLiteral("形状"), QStringLiteral("Xサイズ"),
                     QStringLiteral("Yサイズ"), QStringLiteral("塗り"), QStringLiteral("角度")};
    columns.defaults = {kRound, QStringLiteral("2.0"), QStringLiteral("1.0"), QStringLiteral("0.0"),
                        QStringLiteral("0.0")};
    columns.clicked = [](QTableWidget& grid, int row, int column) {
        if (column == kShapeColumn) {
            QTableWidgetItem* cell = grid.item(row, column);
            cell->setText(cell->text() == kRound ? kSquare : kRound);
        }
        return column > kShapeColumn;
    };
    columns.format = [](int, const QString& typed) {
        // The sizes are written with the picture of the tool grid's diameters.
        return QString::fromStdString(
            exporters::g81Diameter(text::numericValue(typed.toStdString())));
    };
    return columns;
}

}  // namespace

RaundFrm::RaundFrm(const QStringList& sections, QWidget* parent)
    : SectionGridDialog(QStringLiteral("G81形状変換"), sections, contourColumns(), parent) {
    resize(minimumSizeHint().width(), 300);
}

exporters::G81ContourOptions RaundFrm::readRow(int row) const {
    auto number = [&](int column) { return static_cast<float>(cellNumber(grid(), row, column)); };
    exporters::G81ContourOptions contour;
    contour.shape = grid().item(row, kShapeColumn)->text() == kSquare ? exporters::G81Shape::Square
                                                                      : exporters::G81Shape::Round;
    contour.xSizeMm = number(2);
    contour.ySizeMm = number(3);
    contour.fillMm = number(4);
    contour.angleDeg = number(5);
    return contour;
}

}  // namespace talmir
