// Router programs into G-code, with a unit (one outside 0 to 2 included) and a
// coordinate mode taken from the input's last bytes.

#include "FuzzInput.h"
#include "core/import/RouterToGcode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    talmir::fuzz::FuzzInput input(data, size);
    talmir::importers::RouterImportOptions options;
    options.unit = input.choice(4);
    options.incremental = input.flag();
    (void)talmir::importers::routerToGcode(input.text(), options);
    return 0;
}
