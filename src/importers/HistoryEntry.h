#pragma once
// One History entry: its sets, title, description and titled sections, built
// line by line, and the technical values found in its technical section.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

inline constexpr int kHistorySections = 10;  ///< 0 free text, 1..9 the titled sections

/// Data fields that the technical section fills when they are still Null.
struct TechnicalValues {
    std::string controls;  ///< control text, with " - btn : " + buttons appended
    std::string aspect;
    std::string resolution;
    std::string players;
    std::string refresh;
    std::string colors;
};

/// Finds the technical keys ("COLORS :", "CONTROL :", ...) in a technical section.
TechnicalValues ScanTechnical(std::string_view text);

/// History field of section 1..9 ("technical", "trivia", ...).
std::string_view HistorySectionField(int section);

/// Section number of a heading line ("- TRIVIA -" is 2), 0 when it is none.
int HistoryHeadingNumber(std::string_view line);

/// The set names of an "$info=" line ("$info=a,b," gives a and b).
std::vector<std::string> HistoryNames(std::string_view nameLine);

struct HistoryEntry {
    std::vector<std::string> names;
    std::optional<std::string> yearManufacturer;
    std::string description;
    std::array<std::optional<std::string>, kHistorySections> sections;  ///< 1..9 used
    TechnicalValues technical;
};

/// Builds the body of an entry (what follows its title line) from trimmed lines.
class HistoryEntryBuilder {
  public:
    explicit HistoryEntryBuilder(HistoryEntry& entry) : entry_(entry) {}
    /// Takes the next line; false once the entry is complete ("$end" met).
    bool Line(std::string_view line);
    /// Ends the entry without "$end" (end of the file or of the XML text).
    void Close();

  private:
    void StoreText();
    HistoryEntry& entry_;
    bool inDescription_ = true;
    int section_ = 0;  ///< 1..9, or -1 inside a section of another name
    std::string text_;
};

/// The title line's year and maker: the trimmed text after "(c)", else the line.
std::string YearManufacturer(std::string_view titleLine);

}  // namespace arc
