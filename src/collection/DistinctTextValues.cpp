#include "collection/DistinctTextValues.h"

#include <algorithm>

#include "core/Files.h"

namespace arc {
namespace {

unsigned char Folded(char c) {
    return static_cast<unsigned char>(LowerAscii(c));
}

}  // namespace

std::size_t DistinctTextValues::NoCaseHash::operator()(std::string_view text) const {
    // FNV-1a over the folded bytes.
    std::size_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash ^= Folded(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

bool DistinctTextValues::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Folded(x) == Folded(y);
           });
}

void DistinctTextValues::Add(std::string_view value) {
    if (value.empty() || values_.find(value) != values_.end()) return;
    values_.emplace(value);
}

std::vector<std::string> DistinctTextValues::Sorted() const {
    std::vector<std::string> sorted(values_.begin(), values_.end());
    std::sort(sorted.begin(), sorted.end(), NoCaseLess);
    return sorted;
}

bool NoCaseLess(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = Folded(a[i]);
        const unsigned char y = Folded(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

}  // namespace arc
