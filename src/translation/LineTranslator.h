#pragma once
// Applies one dictionary section to text: each entry in table order replaces
// every occurrence of its source (case counts) by its translation, later entries
// seeing the text produced by earlier ones. The sources are indexed in one
// automaton, so a line in which no source occurs costs a single pass.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "translation/Dictionary.h"

namespace arc {

class LineTranslator {
  public:
    explicit LineTranslator(SectionTable table);

    bool empty() const { return table_.empty(); }
    const SectionTable& table() const { return table_; }

    /// The translated line; the line unchanged when its translation would grow
    /// past 16 times its length and kMaxTranslatedLine.
    std::string TranslateLine(std::string_view text) const;

    static constexpr std::size_t kMaxTranslatedLine = 1u << 20;

  private:
    struct Node {
        std::vector<std::pair<unsigned char, int>> next;
        int fail = 0;
        std::vector<int> entries;  ///< entries whose source ends here, ascending
        int outputLink = -1;       ///< nearest node on the fail chain with entries
    };

    int Child(int node, unsigned char byte) const;
    /// The smallest entry index above `after` whose source occurs in text; -1 none.
    int FirstOccurring(std::string_view text, int after) const;
    void Build();

    SectionTable table_;
    std::vector<Node> nodes_;
    std::vector<int> rootNext_;  ///< the root's transitions for every byte
};

}  // namespace arc
