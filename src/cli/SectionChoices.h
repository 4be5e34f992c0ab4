#pragma once
// The per-section options of the G81 commands ("--tool NAME=...", "--section
// NAME=..."): NAME is a drilling section's section line as the program holds it
// (typed in UTF-8, kept as Shift-JIS), or its row number 1, 2, ... in tree order.

#include "cli/Command.h"
#include "cli/ToolText.h"

#include "core/text/NumericValue.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace talmir::cli {

// A number and nothing else ("0.8", "-1", "5").
inline std::optional<double> wholeNumber(std::string_view text) {
    std::size_t used = 0;
    const double value = text::numericValue(text, used);
    if (used == 0 || used != text.size()) {
        return std::nullopt;
    }
    return value;
}

template <class Choice>
class SectionChoices {
public:
    using Parse = std::function<std::optional<Choice>(std::string_view afterName)>;

    // Every `option` of `args`; false when one is not NAME=... or `parse` refuses
    // what follows the last "=".
    bool read(const Arguments& args, std::string_view option, const Parse& parse) {
        for (const auto& [name, value] : args.options) {
            if (name != option) {
                continue;
            }
            const std::size_t eq = value.rfind('=');
            if (eq == std::string::npos || eq == 0) {
                return false;
            }
            const auto section = commandLineText(std::string_view(value).substr(0, eq));
            auto choice = parse(std::string_view(value).substr(eq + 1));
            if (!section || !choice) {
                return false;
            }
            m_entries[*section] = Entry{std::move(*choice)};
        }
        return true;
    }

    // The choice for the section `sectionLine` of `row`, or null.
    const Choice* find(std::size_t row, std::string_view sectionLine) {
        auto it = m_entries.find(std::string(sectionLine));
        if (it == m_entries.end()) {
            it = m_entries.find(std::to_string(row));
        }
        if (it == m_entries.end()) {
            return nullptr;
        }
        it->second.used = true;
        return &it->second.choice;
    }

    // The first NAME that met no section, if any.
    std::optional<std::string> unused() const {
        for (const auto& [name, entry] : m_entries) {
            if (!entry.used) {
                return name;
            }
        }
        return std::nullopt;
    }

private:
    struct Entry {
        Choice choice;
        bool used = false;
    };
    std::map<std::string, Entry, std::less<>> m_entries;
};

// The outcome of a G81 command: its result, or the usage error of a NAME that
// met no drilling section.
template <class Choice>
Outcome g81Outcome(std::string_view command, Result<std::string> result,
                   const SectionChoices<Choice>& choices, exporters::ExportSink& sink) {
    if (const auto name = choices.unused(); result && name) {
        return Outcome::usage("talmir-convert " + std::string(command) + ": no drilling section " +
                              *name + "\n");
    }
    return outcomeOf(std::move(result), sink);
}

}  // namespace talmir::cli
