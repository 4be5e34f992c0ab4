#pragma once
// Line-width tables: small text files in the folder "apt/" of the application
// folder that name, for each layer (D code or tool name), the size and colour it
// is drawn with, so that one set of widths can be applied to another program.
// One record a line, as a comma-separated write statement writes it: the name
// and the size quoted, the colour a bare decimal in the 0x00BBGGRR form:
//   "D10","0.250",255

#include "core/graphic/ColourTable.h"
#include "core/graphic/PlotTables.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::graphic {

struct WidthRecord {
    std::string name;
    std::string size;  // as the grid shows it ("0.250")
    double colour = 0;

    bool operator==(const WidthRecord&) const = default;
};

// The table file; records with an empty name are left out. A double quote in a
// name or size is written doubled, so that the record still reads back whole.
std::string writeWidthTable(const std::vector<WidthRecord>& records);

// The records of a table file, line by line; a doubled quote inside a quoted
// field is one quote. Blank lines are skipped; a field that is missing reads
// as empty (a colour as 0).
std::vector<WidthRecord> readWidthTable(std::string_view text);

// A drawing size typed by the user or read from a table: the absolute value of
// the number the text starts with (0 when it starts with none). Sizes that are
// not finite numbers, or too large for single precision, give no value.
std::optional<float> drawingSize(std::string_view text);

// Applies the records to the layers of the same name (case-sensitive): width
// and colour (colour-table entry layer + 1). Records that match no layer, and
// records whose size gives no value, are passed over. Returns the number of
// layers changed.
int applyWidthTable(const std::vector<WidthRecord>& records, PlotTables& tables,
                    ColourTable& colours);

// The file name a table typed by the user is stored under in "apt/": the name
// itself when it is a plain file name. A name that would reach outside the
// folder (holding "/" or "\", or "." or ".." alone), an empty name and a name
// holding control characters give no value.
std::optional<std::string> tableFileName(std::string_view typed);

}  // namespace talmir::graphic
