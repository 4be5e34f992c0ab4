#pragma once
// "G81形状変換": one grid row per drilling section of the G-code window with the
// contour its holes become: "名称", "形状" ("円形", a slot with round ends, or
// "角形", a rectangle; a click toggles it), "Xサイズ" (2.0), "Yサイズ" (1.0),
// "塗り" (0.0, the fill step) and "角度" (0.0, degrees). The number cells take
// what is typed as "###0.0##". "変換" closes the dialog with every row's shape
// and numbers, read as single-precision values.

#include "core/export/G81ToContours.h"
#include "gui/export/SectionGrid.h"

namespace talmir {

class RaundFrm : public SectionGridDialog<exporters::G81ContourOptions> {
public:
    // `sections`: the names of the drilling sections, in tree order.
    explicit RaundFrm(const QStringList& sections, QWidget* parent = nullptr);

protected:
    exporters::G81ContourOptions readRow(int row) const override;
};

}  // namespace talmir
