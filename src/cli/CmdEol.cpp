// talmir-convert eol --crlf|--cr|--lf INPUT: the save rule of the document.

#include "cli/OptionTable.h"

#include "core/text/Lines.h"

namespace talmir::cli {
namespace {

struct EolOptions {
    text::LineEnd lineEnd = text::LineEnd::CrLf;
};

Outcome runEol(const EolOptions& options, const Inputs& inputs, exporters::ExportSink& sink) {
    putWhole(sink, text::saveWithLineEnd(inputs[0], options.lineEnd));
    return {};
}

const CommandRegistration kEol{commandInfo<EolOptions>({
    .name = "eol",
    .summary = "save rule of the editor: empty lines dropped, every line ended by CR LF (default), "
               "CR or LF",
    .table = {.options = {flag("crlf", &EolOptions::lineEnd, text::LineEnd::CrLf),
                          flag("cr", &EolOptions::lineEnd, text::LineEnd::Cr),
                          flag("lf", &EolOptions::lineEnd, text::LineEnd::Lf)},
              .alternatives = {{.sets = {{"crlf"}, {"cr"}, {"lf"}}}}},
    .run = runEol,
})};

}  // namespace
}  // namespace talmir::cli
