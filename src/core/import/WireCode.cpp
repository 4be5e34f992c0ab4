#include "core/import/WireCode.h"

#include "core/import/BlockWords.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"
#include "core/text/ShiftJis.h"

namespace talmir::importers::wire {

std::string_view codeOf(std::string_view line, std::string& buffer) {
    bool plain = true;
    for (const char c : line) {
        if (c == '(' || static_cast<unsigned char>(c) >= 0x80) {
            plain = false;
            break;
        }
    }
    if (plain) {
        return line;
    }
    buffer.clear();
    bool inComment = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (text::isLeadByte(static_cast<unsigned char>(c)) && i + 1 < line.size()) {
            ++i;
            if (!inComment) {
                buffer.push_back(' ');
            }
        } else if (inComment) {
            inComment = c != ')';
        } else if (c == '(') {
            inComment = true;
        } else {
            buffer.push_back(c);
        }
    }
    return buffer;
}

float wireMillimetres(std::string_view number) {
    const double read = blocks::checked(text::quickNumericValue(number));
    if (number.find('.') != std::string_view::npos) {
        return static_cast<float>(read);
    }
    static const text::NumberPicture kMillimetres("####0.0#######");
    thread_local std::string digits;  // kept, so a long program allocates once
    digits.clear();
    kMillimetres.append(digits, read * 0.001);
    return static_cast<float>(text::quickNumericValue(digits));
}

}  // namespace talmir::importers::wire
