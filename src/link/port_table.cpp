#include "link/port_table.h"

#include <algorithm>
#include <charconv>

#include "platform/text_file.h"

namespace lec::port_table {

std::vector<std::string> toLines(const Table& table) {
    std::vector<std::string> lines;
    lines.reserve(2 * table.size());
    for (const auto& entry : table) {
        lines.push_back(textfile::quoted(entry.number));
        lines.push_back(textfile::quoted(entry.active));
    }
    return lines;
}

Table fromLines(const std::vector<std::string>& lines) {
    const auto item = [&lines](std::size_t k) -> std::string {
        if (k >= lines.size()) {
            return {};
        }
        const auto items = textfile::splitItems(lines[k]);
        return items.empty() ? std::string() : items.front();
    };
    Table table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = {item(2 * i), item(2 * i + 1)};
    }
    return table;
}

double numberOf(std::string_view text) {
    return textfile::parseNumber(text).value_or(0.0);
}

std::optional<int> portNumberOf(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    int number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size() || number < 1 ||
        number > kMaxPortNumber) {
        return std::nullopt;
    }
    return number;
}

std::string testLine(Byte synchro, bool tested, int le, bool unsynchronised) {
    std::string digits = std::to_string(synchro);
    digits.insert(0, 3 - std::min<std::size_t>(digits.size(), 3), '0');
    return " " + digits + "   COM(i) = " + (tested ? "1" : "0") + "   LE-" +
           std::to_string(le + 1) + "   " + (unsynchronised ? " <---  ? " : "");
}

}  // namespace lec::port_table
