// talmir-convert holes2xlsx [--layout a|b|c] INPUT -o OUT.xlsx: hole data to a
// spreadsheet in one of the three layouts of the spreadsheet dialog.

#include "cli/OptionTable.h"

#include "core/export/HolesToXlsx.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace talmir::cli {
namespace {

// The workbook writer makes a file; the command hands its bytes on to the -o
// file as every command does, so the file is written from a temporary one.
Result<std::string> workbookBytes(const std::string& holes,
                                  const exporters::HoleSheetOptions& options) {
    const char* folder = std::getenv("TMPDIR");
    std::string name = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                       "/talmir-holes-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return Failure::message("talmir-convert holes2xlsx: cannot make a temporary file");
    }
    ::close(fd);
    auto written = exporters::holesToXlsx(holes, options, name);
    if (!written) {
        std::remove(name.c_str());
        return written.failure();
    }
    std::ifstream in(name, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const bool ok = !in.bad();
    in.close();
    std::remove(name.c_str());
    if (!ok) {
        return Failure::message("talmir-convert holes2xlsx: cannot read the temporary file");
    }
    return bytes;
}

Outcome runHoles2Xlsx(const exporters::HoleSheetOptions& options, const Inputs& inputs,
                      exporters::ExportSink& sink) {
    return outcomeOf(workbookBytes(inputs[0], options), sink);
}

const CommandRegistration kHoles2Xlsx{commandInfo<exporters::HoleSheetOptions>({
    .name = "holes2xlsx",
    .summary = "hole data to an .xlsx workbook: a row per tool line and per hole; layout a "
               "(default) X, value, Y, value, count; b X word, Y word, count; c the line, count",
    .table = {{words("layout", &exporters::HoleSheetOptions::layout,
                     {{"a", exporters::HoleSheetLayout::A},
                      {"b", exporters::HoleSheetLayout::B},
                      {"c", exporters::HoleSheetLayout::C}})}},
    .run = runHoles2Xlsx,
    .output = "-o OUTPUT.xlsx",
    .outputMissing = "-o OUT.xlsx is required",
})};

}  // namespace
}  // namespace talmir::cli
