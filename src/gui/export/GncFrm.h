#pragma once
// "G81をNCﾃﾞｰﾀへ変換": one grid row per drilling section of the G-code window
// with the tool it becomes, "名称" (the section), "Tｺｰﾄﾞ" (T01, T02, ... by row)
// and "径" (1.0). A clicked tool cell takes the typed number as "T" + "#00", a
// diameter cell as "###0.0##"; the names stay as they are. "変換" closes the
// dialog with the code and diameter of every row as they stand.

#include "core/export/G81ToHoles.h"
#include "gui/export/SectionGrid.h"

namespace talmir {

class GncFrm : public SectionGridDialog<exporters::G81ToolRow> {
public:
    // `sections`: the names of the drilling sections, in tree order.
    explicit GncFrm(const QStringList& sections, QWidget* parent = nullptr);

protected:
    exporters::G81ToolRow readRow(int row) const override;
};

}  // namespace talmir
