// talmir-convert eol --crlf|--cr|--lf INPUT: the save rule of the document.

#include "cli/Command.h"

#include "core/text/Lines.h"

namespace talmir::cli {
namespace {

Outcome runEol(const Arguments& args, const std::vector<std::string>& inputs) {
    const int chosen = args.has("crlf") + args.has("cr") + args.has("lf");
    if (chosen > 1) {
        return Outcome::usage("talmir-convert eol: choose one of --crlf, --cr, --lf\n");
    }
    text::LineEnd lineEnd = text::LineEnd::CrLf;
    if (args.has("cr")) {
        lineEnd = text::LineEnd::Cr;
    } else if (args.has("lf")) {
        lineEnd = text::LineEnd::Lf;
    }
    Outcome outcome;
    outcome.output = text::saveWithLineEnd(inputs[0], lineEnd);
    return outcome;
}

const CommandRegistration kEol{{
    "eol",
    "[--crlf|--cr|--lf] INPUT [-o OUTPUT]",
    "save rule of the editor: empty lines dropped, every line ended by CR LF (default), CR or LF",
    {},
    1,
    runEol,
}};

}  // namespace
}  // namespace talmir::cli
