#include "gui/export/GncFrm.h"

#include "core/text/NumericValue.h"

namespace talmir {

namespace {

constexpr int kCodeColumn = 1;
constexpr int kDiameterColumn = 2;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

SectionGridColumns toolColumns() {
    SectionGridColumns columns;
    columns.heads = {QStringLiteral("名称"), QStringLiteral("Tｺｰﾄﾞ"), QStringLiteral("径")};
    columns.defaults = {QString(), QStringLiteral("1.0")};
    columns.clicked = [](QTableWidget&, int, int column) { return column != 0; };
    columns.format = [](int column, const QString& typed) {
        const double number = text::numericValue(typed.toStdString());
        return fromUtf8(column == kCodeColumn ? exporters::g81ToolCode(number)
                                              : exporters::g81Diameter(number));
    };
    return columns;
}

}  // namespace

GncFrm::GncFrm(const QStringList& sections, QWidget* parent)
    : SectionGridDialog(QStringLiteral("G81をNCﾃﾞｰﾀへ変換"), sections, toolColumns(), parent) {
    for (int row = 0; row < grid().rowCount(); ++row) {
        const auto tool = exporters::defaultG81ToolRow(static_cast<std::size_t>(row) + 1);
        grid().item(row, kCodeColumn)->setText(fromUtf8(tool.code));
    }
    resize(minimumSizeHint().width(), 300);
}

exporters::G81ToolRow GncFrm::readRow(int row) const {
    exporters::G81ToolRow tool;
    tool.code = grid().item(row, kCodeColumn)->text().toStdString();
    tool.diameter = grid().item(row, kDiameterColumn)->text().toStdString();
    return tool;
}

}  // namespace talmir
