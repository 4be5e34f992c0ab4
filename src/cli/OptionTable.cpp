#include "cli/OptionTable.h"

#include <algorithm>
#include <charconv>

namespace talmir::cli {

namespace {

// "a, b or c": the items with commas between them and `last` before the last one.
std::string listed(const std::vector<std::string>& items, std::string_view last) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? last : ", ";
        }
        text += items[i];
    }
    return text;
}

std::string joined(const std::vector<std::string>& items, std::string_view between) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += between;
        }
        text += items[i];
    }
    return text;
}

// "--colour 1..7", "--rs274x".
std::string spelled(const OptionShape& shape) {
    return "--" + shape.name + (shape.valueName.empty() ? "" : " " + shape.valueName);
}

const OptionShape* shapeNamed(const std::vector<OptionShape>& shapes, std::string_view name) {
    for (const auto& shape : shapes) {
        if (shape.name == name) {
            return &shape;
        }
    }
    return nullptr;
}

// Each set spelled out: {"--find KEY --replace KEY", "--delete KEY"}.
std::vector<std::string> spelledSets(const std::vector<OptionShape>& shapes,
                                     const Alternatives& alternatives) {
    std::vector<std::string> sets;
    for (const auto& set : alternatives.sets) {
        std::vector<std::string> members;
        for (const auto& name : set) {
            const OptionShape* shape = shapeNamed(shapes, name);
            members.push_back(shape != nullptr ? spelled(*shape) : "--" + name);
        }
        sets.push_back(joined(members, " "));
    }
    return sets;
}

// "[--crlf|--cr|--lf]", "(--find KEY --replace KEY | --delete KEY)": the bar stands
// alone when a set has more than one word.
std::string alternativesSynopsis(const std::vector<OptionShape>& shapes,
                                 const Alternatives& alternatives) {
    const auto sets = spelledSets(shapes, alternatives);
    const bool spaced = std::any_of(sets.begin(), sets.end(), [](const std::string& set) {
        return set.find(' ') != std::string::npos;
    });
    const std::string inner = joined(sets, spaced ? " | " : "|");
    return alternatives.required ? "(" + inner + ")" : "[" + inner + "]";
}

const Alternatives* alternativesOf(const std::vector<Alternatives>& alternatives,
                                   std::string_view name) {
    for (const auto& group : alternatives) {
        for (const auto& set : group.sets) {
            if (std::find(set.begin(), set.end(), name) != set.end()) {
                return &group;
            }
        }
    }
    return nullptr;
}

bool given(const OptionShape& shape, const Arguments& args) {
    if (shape.need == Need::NonEmpty) {
        const auto value = args.get(shape.name);
        return value && !value->empty();
    }
    return args.has(shape.name);
}

// Every set is given whole or not at all, and at most one is given (one exactly
// when the sets are required).
bool wellGiven(const Alternatives& alternatives, const Arguments& args) {
    int touched = 0;
    bool whole = true;
    for (const auto& set : alternatives.sets) {
        const auto count = std::count_if(set.begin(), set.end(),
                                         [&](const std::string& name) { return args.has(name); });
        if (count > 0) {
            ++touched;
            whole = whole && count == static_cast<std::ptrdiff_t>(set.size());
        }
    }
    return whole && (touched == 1 || (touched == 0 && !alternatives.required));
}

}  // namespace

std::string takesRange(std::string_view name, int lowest, int highest) {
    return "--" + std::string(name) + " takes " + std::to_string(lowest) + " to " +
           std::to_string(highest);
}

std::string takesWords(std::string_view name, const std::vector<std::string>& words) {
    return "--" + std::string(name) + " takes " + listed(words, " or ");
}

std::string takesValue(std::string_view name, std::string_view valueName) {
    return "--" + std::string(name) + " takes " + std::string(valueName);
}

bool readInteger(std::string_view text, int lowest, int highest, int& value) {
    int read = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, read);
    if (error != std::errc() || ptr != end || std::to_string(read) != text || read < lowest ||
        read > highest) {
        return false;
    }
    value = read;
    return true;
}

std::string synopsis(const std::vector<OptionShape>& shapes,
                     const std::vector<Alternatives>& alternatives,
                     const std::vector<std::string>& inputs, std::string_view output) {
    std::vector<std::string> parts;
    std::vector<const Alternatives*> shown;
    for (const auto& shape : shapes) {
        if (const Alternatives* group = alternativesOf(alternatives, shape.name)) {
            if (std::find(shown.begin(), shown.end(), group) == shown.end()) {
                shown.push_back(group);
                parts.push_back(alternativesSynopsis(shapes, *group));
            }
        } else {
            parts.push_back(shape.need == Need::Optional ? "[" + spelled(shape) + "]"
                                                         : spelled(shape));
        }
    }
    parts.insert(parts.end(), inputs.begin(), inputs.end());
    parts.emplace_back(output);
    return joined(parts, " ");
}

std::optional<std::string> missingOption(const std::vector<OptionShape>& shapes,
                                         const std::vector<Alternatives>& alternatives,
                                         const Arguments& args) {
    std::vector<std::string> required;
    bool missing = false;
    for (const auto& shape : shapes) {
        if (shape.need != Need::Optional) {
            required.push_back(spelled(shape));
            missing = missing || !given(shape, args);
        }
    }
    if (missing) {
        return "give " + listed(required, " and ");
    }
    for (const auto& group : alternatives) {
        if (!wellGiven(group, args)) {
            const auto sets = spelledSets(shapes, group);
            return group.required ? "give " + joined(sets, ", or ")
                                  : "choose one of " + joined(sets, ", ");
        }
    }
    return std::nullopt;
}

}  // namespace talmir::cli
