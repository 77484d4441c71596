#pragma once
// Distinct texts gathered without regard to (ASCII) case, as the database's
// NOCASE columns group them, and returned in NOCASE order.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace arc {

class DistinctTextValues {
  public:
    /// Keeps the first spelling of each value; empty texts are left out.
    void Add(std::string_view value);
    std::size_t size() const { return values_.size(); }
    /// The values in ascending order, case ignored.
    std::vector<std::string> Sorted() const;

  private:
    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::unordered_set<std::string, NoCaseHash, NoCaseEqual> values_;
};

/// NOCASE ordering: bytes compared with A-Z folded to a-z, then the shorter first.
bool NoCaseLess(std::string_view a, std::string_view b);

}  // namespace arc
