#pragma once
// The game page template prepared once per run: the markers in their
// replacement order, and a split of the template into literal pieces and
// value slots so that a page is assembled in one pass.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// Every marker that receives a value, in replacement order.
enum class Marker : int {
    GameName,
    Manufacturer,
    Category,
    NPlayers,
    Resolution,
    Genre,
    InternalName,
    VerAdded,
    Aspect,
    MameInfo,
    Driver,
    Bios,
    Controls,
    Refresh,
    Colors,
    MyNotes,
    Orientation,
    VideoScreen,
    Channels,
    Buttons,
    Coins,
    DvStatus,
    DvEmulation,
    DvGraphic,
    DvSound,
    DvColor,
    DvCocktail,
    DvProtection,
    Service,
    Tilt,
    RomOf,
    SampleOf,
    SampName,
    ExpBios,
    ExpChip,
    ExpRom,
    ExpDip,
    ExpDisk,
    Clones,
    Working,
    CorrectColors,
    Sound,
    ScreenFlip,
    GotIt,
    Cheat,
    Hiscore,
    YearManufacturer,
    Description,
    Technical,
    Trivia,
    Updates,
    Scoring,
    TipsAndTricks,
    Series,
    Staff,
    Ports,
    Sources,
    Cmd,
    Info,
    Year,
    VerMame,
    VerAno,
    Home,
    Previous,
    Next,
    ImgTitle,
    ImgGame,
    ImgMarquee,
    ImgCab,
    ImgCpanel,
    ImgFlyer,
    Audit,
    Count
};

inline constexpr int kMarkerCount = static_cast<int>(Marker::Count);

/// The marker text of a value slot ("#GAMENAME", ...).
std::string_view MarkerText(Marker marker);

using MarkerValues = std::array<std::string, kMarkerCount>;

class GamePageTemplate {
  public:
    explicit GamePageTemplate(std::string text);

    const std::string& text() const { return text_; }
    /// True when the template text holds the marker (the expansions are
    /// queried only then).
    bool Holds(std::string_view marker) const;

    /// The page: every marker replaced in order, then the leftovers emptied.
    /// Uses the one-pass assembly whenever it gives the same text as the
    /// sequential replacement, else replaces sequentially.
    void Fill(const MarkerValues& values, std::string& page) const;

    /// The sequential replacement itself (the reference the one-pass
    /// assembly must equal).
    void FillSequentially(const MarkerValues& values, std::string& page) const;

  private:
    struct Step {
        std::string_view marker;
        int slot;  ///< value slot, or -1 for an empty value
    };
    struct Piece {
        std::string literal;
        int slot = -1;  ///< -1: literal piece
    };
    void BuildSteps();
    void Split();

    std::string text_;
    std::vector<Step> steps_;
    std::vector<Piece> pieces_;
    bool onePassSafe_ = true;
};

}  // namespace arc
