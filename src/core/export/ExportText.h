#pragma once
// How the exports out of the G-code window read its text and write their numbers.
//
// The window's text is read as its snapshot would be (its lines joined by CR LF),
// either line by line or as comma-separated items. Word values
// are read with the shared numeric-value rule and held in single precision where the
// program keeps them so; a value too large for that, or a result that is not a
// finite number, ends the conversion with the overflow error instead of writing
// "NaN" or "Infinity" into a drawing.

#include "core/Failure.h"
#include "core/text/CommaFields.h"
#include "core/text/NumberPicture.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace talmir::exporters {

// Comma-separated items of a text, as the snapshot of a pane is read item by item:
// the comma fields of text::CommaFieldReader (a comma or a line end ends an item,
// blanks around it are dropped, a quoted item keeps its commas), except that a
// comma at the very end of the text gives no empty item after it. A text that
// ends with a line end has an empty last line, which gives no item either.
//   ItemReader items(text);
//   for (std::string_view item; items.next(item);) { ... }
class ItemReader : public text::CommaFieldReader {
public:
    explicit ItemReader(std::string_view text)
        : CommaFieldReader(text, text::FinalComma::NoField) {}
};

// Where an export stands in the G-code it was given, so that a failure names the
// line: `item` is set to each item or line read. A failure is placed only while
// the export reads the text as given; in a rewritten copy (G-code of another
// program) the offsets are not the user's.
//   GcodePlace place(gcode);
//   try { ... place.item = item; ... } catch (const Failure& f) { return place.placed(f); }
struct GcodePlace {
    explicit GcodePlace(std::string_view given) : given(given) {}

    Failure placed(Failure failure) const {
        const std::less_equal<const char*> notAfter;
        if (!failure.at && item.data() != nullptr && notAfter(given.data(), item.data()) &&
            notAfter(item.data(), given.data() + given.size())) {
            failure.at = static_cast<std::uint64_t>(item.data() - given.data());
        }
        return failure;
    }

    std::string_view given;
    std::string_view item = {};
};

// Counts the items ItemReader gives for `text`.
std::size_t countItems(std::string_view text);

inline bool contains(std::string_view s, std::string_view what) {
    return s.find(what) != std::string_view::npos;
}

// The numeric value of the text after the first occurrence of `letter` ("X" of
// G01X10.Y20. gives 10); false when the letter does not occur.
bool wordValue(std::string_view item, char letter, double& value);

// The same as a single-precision value, with `fallback` when the letter is missing.
// Throws the overflow failure when the number does not fit in single precision.
float singleWord(std::string_view item, char letter, float fallback);

// A double narrowed to single precision; throws the overflow failure when it does
// not fit (the program stops with its overflow error there).
float toSingle(double value);

// The error the program reports for a number out of range: "エラー番号 : 6".
Failure overflowFailure();
// The error for a table that has no room left (more than 256 section lines).
Failure tableFullFailure();
// The message of an export that found nothing to convert.
Failure nothingToConvertFailure();

// True when the item holds one of the motion codes "G00", "G01", "G02", "G03", "G81".
bool hasMotionCode(std::string_view item);

// Appends `value` through `picture`; throws the overflow failure for a value that
// is not a finite number.
void appendNumber(std::string& out, const text::NumberPicture& picture, double value);

// A number written through a picture and kept with its value, so that a value
// written again right after (the end point of one entity is the start of the
// next) is not formatted a second time. Throws the overflow failure as
// appendNumber does.
class NumberText {
public:
    explicit NumberText(const text::NumberPicture& picture) : m_picture(&picture) {}
    std::string_view text(double value);

private:
    const text::NumberPicture* m_picture;
    double m_value = 0;
    bool m_valid = false;
    std::string m_text;
};

}  // namespace talmir::exporters
