#pragma once
// String-level scanning of the emulator's -listxml output: the tokenizer that
// flattens one game element into key/value pairs, and small attribute and
// history-text scanners. None of them parses XML in general; they rely on the
// regular layout the emulator writes (double-quoted attributes, one element
// per line).

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// The ordered key/value pairs of one game element, rebuilt by each Tokenize.
/// Indexes are 1-based. Keys and values stay valid until the next Tokenize.
///
/// Key forms: "name" (attributes of the game tag), "rom_crc" (attributes of a
/// child that closes itself), "year" / "<description" (text children, the
/// first child keeps its "<"), the whole start tag of a child with content
/// ("dipswitch name=\"Lives\"", value: the children's markup), and "input_*"
/// for both layouts of the input element.
class KeyValueList {
  public:
    /// Resets the list and fills it from one game chunk ("<game" ... "</game>",
    /// lines trimmed and joined). "<machine" chunks are read the same way. A
    /// text child without its closing tag is logged as an error block; the
    /// pairs read before it stay.
    void Tokenize(std::string_view chunk);
    /// The same on a chunk whose buffer the list takes (`chunk` gets another).
    void Tokenize(std::string& chunk);

    int Count() const { return static_cast<int>(pairs_.size()); }
    std::string_view Key(int index) const { return pairs_[index - 1].key; }
    std::string_view Value(int index) const { return pairs_[index - 1].value; }

    /// Value of the first pair whose key equals `key` exactly; "" when none.
    std::string_view LookupValue(std::string_view key) const;

    /// From index `start` on, up to the first key that begins with
    /// `stopPrefix` or does not begin with `groupPrefix`: the value of the
    /// first pair of each of `keys` (at most 32) goes to the same place of
    /// `values`; the values of keys not met are left as they are.
    void LookupInGroup(int start, std::string_view stopPrefix, std::string_view groupPrefix,
                       std::span<const std::string_view> keys,
                       std::span<std::string_view> values) const;

    /// The value of `key` among the attributes of the self-closing element
    /// that pair `index` belongs to, whatever their order; "" when absent.
    std::string_view ElementValue(int index, std::string_view key) const;
    /// The index of the first pair of the self-closing element that pair
    /// `index` belongs to (0 for other pairs).
    int ElementOf(int index) const { return pairs_[index - 1].element; }

  private:
    struct Pair {
        std::string_view key;
        std::string_view value;
        int element;  ///< index of the first pair of its element (0 for others)
    };
    void Append(std::string_view key, std::string_view value, int element = 0);
    void TokenizeText();
    std::string_view Own(std::string_view text);
    /// An empty text that stays until the next Tokenize.
    std::string& Scratch();
    void ReadGameAttributes(std::string_view head);
    void ReadChildren(std::string_view body);
    void RewriteInput();

    std::string text_;             // the chunk, tabs removed and "&#10;" decoded
    std::deque<std::string> own_;  // keys and values built from pieces
    std::size_t ownUsed_ = 0;      // of own_ by this game
    std::vector<std::string_view> pieces_;
    std::vector<Pair> pairs_;
};

/// The ten texts of a history: [0] the text before the first heading, [1..9]
/// the sections "- TECHNICAL -", "- TRIVIA -", "- UPDATES -", "- SCORING -",
/// "- TIPS AND TRICKS -", "- SERIES -", "- STAFF -", "- PORTS -", "- SOURCES -".
/// Lines are trimmed, empty ones dropped, each kept line ends with CR LF.
using HistorySections = std::array<std::string, 10>;
HistorySections SplitHistorySections(std::string_view text);

}  // namespace arc
