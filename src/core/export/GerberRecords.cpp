#include "core/export/GerberRecords.h"

#include "core/export/ExportText.h"

namespace talmir::exporters {

namespace {

const text::NumberPicture kDecimalCoordinate("######0.0###");
const text::NumberPicture kIntegerCoordinate("##########0");

}  // namespace

std::string_view GerberForm::lineBreak() const {
    if (rs274x) {
        return blockEnd.substr(1);
    }
    return blockEnd == "*" ? std::string_view() : blockEnd;
}

GerberForm gerberForm(const GerberOptions& options) {
    GerberForm form{1, &kDecimalCoordinate, 4, {}, options.rs274x};
    switch (options.unit) {
        case 1:
            form = {100, &kIntegerCoordinate, 2, {}, options.rs274x};
            break;
        case 2:
            form = {1000, &kIntegerCoordinate, 3, {}, options.rs274x};
            break;
        case 3:
            form = {10000, &kIntegerCoordinate, 4, {}, options.rs274x};
            break;
        default:
            // Viewers take no decimal point in RS-274X coordinates: integers of
            // 1/10000 mm.
            if (options.rs274x) {
                form = {10000, &kIntegerCoordinate, 4, {}, true};
            }
            break;
    }
    if (!options.rs274x) {
        static constexpr std::string_view kEnds[] = {"\r", "\n", "\r\n", "*"};
        form.blockEnd = kEnds[static_cast<int>(options.blockEnd) & 3];
    } else if (options.blockEnd == GerberBlockEnd::Cr) {
        form.blockEnd = "*\r";
    } else if (options.blockEnd == GerberBlockEnd::Lf) {
        form.blockEnd = "*\n";
    } else {
        form.blockEnd = "*\r\n";
    }
    return form;
}

void appendGerberFormat(std::string& out, const GerberForm& form) {
    const char decimals = static_cast<char>('0' + form.decimals);
    // Six integer digits: coordinates up to 999999 mm.
    out.append("%FSLAX6");
    out.push_back(decimals);
    out.append("Y6");
    out.push_back(decimals);
    out.append("*%");
    out.append(form.lineBreak());
    out.append("%MOMM*%");
    out.append(form.lineBreak());
}

void appendGerberCoordinate(std::string& out, const GerberForm& form, char letter, double value) {
    // A word beyond single precision is an overflow, as in the other exports, not
    // a 42-digit integer; within it the double is written as it was read.
    static_cast<void>(toSingle(value));
    out.push_back(letter);
    appendNumber(out, *form.picture, form.factor * value);
}

}  // namespace talmir::exporters
