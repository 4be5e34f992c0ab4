// IGES files into G-code, with and without the record list the window shows.

#include <string>

#include "FuzzInput.h"
#include "core/import/IgesToGcode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    talmir::fuzz::FuzzInput input(data, size);
    std::string records;
    talmir::importers::IgesImportOptions options;
    options.records = input.sometimes(records);
    (void)talmir::importers::igesToGcode(input.text(), options);
    return 0;
}
