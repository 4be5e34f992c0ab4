// Gerber photoplot data into G-code: with a unit and coordinate mode taken from the
// input's last bytes, and with the form the import guesses from the data itself.

#include "FuzzInput.h"
#include "core/import/CoordinateUnits.h"
#include "core/import/DrillGuess.h"
#include "core/import/GerberToGcode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::importers;
    talmir::fuzz::FuzzInput input(data, size);
    GerberImportOptions options;
    options.unit = input.choice(kCoordinateUnitCount + 1);  // one past the last unit too
    options.incremental = input.flag();
    (void)gerberToGcode(input.text(), options);

    const GerberGuess guess = guessGerberFormat(input.text());
    options.unit = guess.unit;
    options.incremental = guess.incremental;
    (void)gerberToGcode(input.text(), options);
    return 0;
}
