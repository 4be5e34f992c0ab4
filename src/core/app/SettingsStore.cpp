#include "app/SettingsStore.h"

#include "text/NumericValue.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace talmir::app {

std::string SettingsStore::getText(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
    if (!contains(section, key)) {
        return std::string(defaultValue);
    }
    return value(section, key);
}

double SettingsStore::getNumber(std::string_view section, std::string_view key,
                                double defaultValue) const {
    if (!contains(section, key)) {
        return defaultValue;
    }
    const double v = text::numericValue(value(section, key));
    return std::isfinite(v) ? v : defaultValue;
}

bool SettingsStore::getBool(std::string_view section, std::string_view key,
                            bool defaultValue) const {
    if (!contains(section, key)) {
        return defaultValue;
    }
    std::string v = value(section, key);
    std::transform(v.begin(), v.end(), v.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    while (!v.empty() && v.back() == ' ') {
        v.pop_back();
    }
    if (v == "true") {
        return true;
    }
    if (v == "false") {
        return false;
    }
    double number = 0;
    auto r = std::from_chars(v.data(), v.data() + v.size(), number);
    if (r.ec == std::errc() && r.ptr == v.data() + v.size() && !v.empty()) {
        return number != 0;
    }
    return defaultValue;
}

void SettingsStore::setNumber(std::string_view section, std::string_view key, double value) {
    // Shortest text that reads back to the same value.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    setValue(section, key, std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const {
    return m_values.count({std::string(section), std::string(key)}) != 0;
}

std::string MemorySettingsStore::value(std::string_view section, std::string_view key) const {
    auto it = m_values.find({std::string(section), std::string(key)});
    return it == m_values.end() ? std::string() : it->second;
}

void MemorySettingsStore::setValue(std::string_view section, std::string_view key,
                                   std::string_view value) {
    m_values[{std::string(section), std::string(key)}] = std::string(value);
}

}  // namespace talmir::app
