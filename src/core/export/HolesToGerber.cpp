#include "core/export/HolesToGerber.h"

#include "core/export/ExportSink.h"
#include "core/export/ExportText.h"
#include "core/export/GerberRecords.h"
#include "core/export/HoleLines.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

namespace talmir::exporters {

namespace {

const text::NumberPicture kApertureNumber("#####");
// 0.8 is written .8000: no integer digit is required.
const text::NumberPicture kDiameter("###.0000");
constexpr long long kFirstAperture = 10;

enum class ItemKind { Definition, Selection, Flash, Nothing };

ItemKind kindOf(std::string_view item) {
    if (!item.empty() && item.front() == 'T') {
        const std::size_t c = item.find('C');
        return c != std::string_view::npos && c >= 1 ? ItemKind::Definition : ItemKind::Selection;
    }
    // An item with neither word has no place to flash at.
    return isHoleLine(item) ? ItemKind::Flash : ItemKind::Nothing;
}

// The D code of a definition or selection: tool number + 10, kept in range for
// absurd numbers ("T1E400").
long long apertureCode(std::string_view item) {
    const double code = holeToolNumber(item) + static_cast<double>(kFirstAperture);
    return static_cast<long long>(std::clamp(code, -999999999.0, 999999999.0));
}

// For the RS-274X header: the codes selected without a definition of their own.
std::set<long long> undefinedCodes(std::string_view holes) {
    std::set<long long> defined;
    std::set<long long> selected;
    bool anySelection = false;
    ItemReader items(holes);
    for (std::string_view item; items.next(item);) {
        switch (kindOf(item)) {
            case ItemKind::Definition:
                defined.insert(apertureCode(item));
                break;
            case ItemKind::Selection:
                anySelection = true;
                selected.insert(apertureCode(item));
                break;
            case ItemKind::Flash:
                if (!anySelection) {
                    selected.insert(kFirstAperture);
                    anySelection = true;
                }
                break;
            case ItemKind::Nothing:
                break;
        }
    }
    std::set<long long> missing;
    std::set_difference(selected.begin(), selected.end(), defined.begin(), defined.end(),
                        std::inserter(missing, missing.end()));
    return missing;
}

void appendCode(std::string& out, long long code) {
    appendNumber(out, kApertureNumber, static_cast<double>(code));
}

template <class Done>
auto writeGerber(std::string_view holes, const GerberOptions& options, ExportSink* sink, Done done)
    -> Result<decltype(done(std::declval<PieceBuffer&>()))> {
    try {
        const GerberForm form = gerberForm(options);
        PieceBuffer buffer(sink, holes.size() + holes.size() / 4 + 1024);
        std::string& out = buffer.text();
        bool selected = false;
        if (options.rs274x) {
            appendGerberFormat(out, form);
            for (long long code : undefinedCodes(holes)) {
                out.append("%ADD");
                appendCode(out, code);
                out.append("C,0.1*%");
                out.append(form.lineBreak());
            }
        }
        ItemReader items(holes);
        for (std::string_view item; items.next(item);) {
            switch (kindOf(item)) {
                case ItemKind::Definition:
                    // The "*" closes the statement inside its "%...%".
                    out.append("%ADD");
                    appendCode(out, apertureCode(item));
                    out.append("C,");
                    appendNumber(out, kDiameter,
                                 text::numericValue(item.substr(item.find('C') + 1)));
                    out.append("*%");
                    out.append(form.lineBreak());
                    break;
                case ItemKind::Selection:
                    selected = true;
                    out.push_back('D');
                    appendCode(out, apertureCode(item));
                    out.append(form.blockEnd);
                    break;
                case ItemKind::Flash:
                    if (!selected && options.rs274x) {
                        out.append("D10");
                        out.append(form.blockEnd);
                    }
                    selected = true;
                    for (char letter : {'X', 'Y'}) {
                        double value = 0;
                        if (wordValue(item, letter, value)) {
                            appendGerberCoordinate(out, form, letter, value);
                        }
                    }
                    out.append("D03");
                    out.append(form.blockEnd);
                    break;
                case ItemKind::Nothing:
                    break;
            }
            buffer.handOverWhenFull();
        }
        out.append(options.rs274x ? "M02" : "M30");
        out.append(form.blockEnd);
        if (!options.rs274x) {
            out.append("\r\n");
        }
        return done(buffer);
    } catch (const Failure& failure) {
        return failure;
    }
}

}  // namespace

Result<std::string> holesToGerber(std::string_view holes, const GerberOptions& options) {
    return writeGerber(holes, options, nullptr,
                       [](PieceBuffer& buffer) { return std::move(buffer).release(); });
}

Result<std::uint64_t> holesToGerber(std::string_view holes, const GerberOptions& options,
                                    ExportSink& sink) {
    return writeGerber(holes, options, &sink, [](PieceBuffer& buffer) { return buffer.finish(); });
}

}  // namespace talmir::exporters
