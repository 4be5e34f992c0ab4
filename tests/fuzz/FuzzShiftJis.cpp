// The Shift-JIS codec: bytes decoded to UTF-8 and encoded back, the same bytes
// encoded as if they were UTF-8, and the character counts and byte cuts, at a cut
// taken from the input's last bytes.

#include <string>

#include "FuzzInput.h"
#include "core/text/ShiftJis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::text;
    talmir::fuzz::FuzzInput input(data, size);
    const std::size_t start = input.option();
    const std::size_t length = input.option();
    const std::string_view bytes = input.text();
    std::size_t unmappable = 0;
    (void)utf8ToShiftJis(shiftJisToUtf8(bytes), &unmappable);
    (void)utf8ToShiftJis(bytes, &unmappable);
    (void)charCount(bytes);
    (void)LenBytes(bytes);
    if (start < bytes.size()) {
        (void)charLength(bytes, start);
    }
    (void)MidBytes(bytes, start, length);
    return 0;
}
