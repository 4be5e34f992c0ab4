// Drill data into hole data: once with the form the import guesses from the data,
// once with options taken from the input's last bytes (every unit, both coordinate
// modes, every hole and tool rule, and short codes that may be empty).

#include <string>

#include "FuzzInput.h"
#include "core/import/CoordinateUnits.h"
#include "core/import/DrillGuess.h"
#include "core/import/DrillToHoles.h"

namespace {

// A code of zero to three bytes from a small set of the letters and digits drill
// codes are made of.
std::string codeFrom(talmir::fuzz::FuzzInput& input) {
    static constexpr std::string_view kBytes = "GDTM0123489 ";
    std::string code;
    for (int n = input.choice(4); n > 0; --n) {
        code += kBytes[input.choice(static_cast<int>(kBytes.size()))];
    }
    return code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::importers;
    talmir::fuzz::FuzzInput input(data, size);
    DrillOptions options;
    options.unit = static_cast<CoordinateUnit>(input.choice(kCoordinateUnitCount));
    options.incremental = input.flag();
    options.holeRule = static_cast<DrillHoleRule>(input.choice(3));
    options.toolRule = static_cast<DrillToolRule>(input.choice(2));
    if (input.flag()) {
        options.holeCode = codeFrom(input);
        options.cycleCode = codeFrom(input);
        options.cancelCode = codeFrom(input);
        options.toolCode = codeFrom(input);
    }
    (void)drillToHoles(input.text(), options);
    (void)drillToHoles(input.text(), guessDrillFormat(input.text()).options);
    return 0;
}
