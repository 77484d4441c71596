#include "collection/BrowserLayout.h"

#include <charconv>

namespace arc {
namespace {

constexpr int kLargestSize = 100000;

std::string Joined(const std::vector<int>& numbers) {
    std::string text;
    for (const int number : numbers)
        text += (text.empty() ? "" : ",") + std::to_string(number);
    return text;
}

/// The numbers of a comma-separated list in [0, limit); none when one is not.
std::vector<int> Numbers(std::string_view text, int limit) {
    std::vector<int> numbers;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        int number = -1;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
        if (error != std::errc() || end != part.data() + part.size() || number < 0 ||
            number >= limit)
            return {};
        numbers.push_back(number);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return numbers;
}

}  // namespace

std::string BrowserLayoutText(const BrowserLayout& layout) {
    return "sort=" + std::to_string(static_cast<int>(layout.sortColumn)) +
           " descending=" + (layout.descending ? "1" : "0") + " widths=" + Joined(layout.widths) +
           " hidden=" + Joined(layout.hiddenColumns) + " splitter=" + Joined(layout.splitter);
}

BrowserLayout ParseBrowserLayout(std::string_view text) {
    BrowserLayout layout;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view field = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = field.substr(0, equals);
        const std::string_view value = field.substr(equals + 1);
        if (key == "sort") {
            const std::vector<int> column = Numbers(value, kBrowserColumns);
            if (column.size() == 1) layout.sortColumn = static_cast<BrowserColumn>(column[0]);
        } else if (key == "descending") {
            layout.descending = value == "1";
        } else if (key == "widths") {
            layout.widths = Numbers(value, kLargestSize);
            if (layout.widths.size() > kBrowserColumns) layout.widths.clear();
        } else if (key == "hidden") {
            layout.hiddenColumns = Numbers(value, kBrowserColumns);
        } else if (key == "splitter") {
            layout.splitter = Numbers(value, kLargestSize);
        }
    }
    return layout;
}

}  // namespace arc
