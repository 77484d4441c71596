#pragma once
// The state of one sheet run: where it writes, what the user chose, the
// version texts of the database and the lists the game pages fill for the
// list pages.

#include <array>
#include <string>
#include <vector>

namespace arc {

inline constexpr int kArtKinds = 6;

/// The sheet window's check boxes as the run reads them.
struct SheetChoices {
    bool onlyAvailable = false;              ///< Check1(0)
    bool avoidClones = false;                ///< Check1(1)
    bool avoidNonWorking = false;            ///< Check1(8)
    std::array<bool, kArtKinds> dontCopy{};  ///< Check2(0..5), ArtFolders order
    bool parentArtForClones = false;         ///< Check2(6)
    bool copyAllArt = false;                 ///< Check3
    bool substitutes = false;                ///< Check4
};

/// The six groupings of the list pages, in the order the game pages fill them.
enum GroupList : int {
    kByManufacturer = 0,
    kByGenre = 1,
    kByAvailability = 2,
    kByCategory = 3,
    kByYear = 4,
    kByVersion = 5,
    kGroupLists = 6,
};

/// The separator between a group value and the link line of a list entry.
inline constexpr std::string_view kGroupSeparator = "€£";

/// Text form of a true availability flag in the availability list.
inline constexpr std::string_view kTrueText = "True";
inline constexpr std::string_view kFalseText = "False";

struct SheetRun {
    std::string htmlFolder;  ///< destination, trailing "/"
    std::string skinFolder;  ///< chosen skin's folder, trailing "/"; empty without a skin
    SheetChoices choices;
    std::array<std::string, kArtKinds> artFolders;  ///< trailing "/"
    bool frenchPages = false;                       ///< the built-in game page's language

    std::string mameVersion;     ///< VersionMame of the database
    std::string programVersion;  ///< "Arcanote v" + VersionArcanote

    std::vector<std::string> gameList;                         ///< sort letter + link line
    std::array<std::vector<std::string>, kGroupLists> groups;  ///< group + separator + link line
    /// The picture name (without ".png") of each game page written, in page order.
    std::vector<std::string> pageImages;

    std::string PagesFolder() const { return htmlFolder + "html/"; }
};

/// The sheet sub-folder of each art kind ("titles", "snap", ...).
const std::array<std::string_view, kArtKinds>& ArtSheetFolders();

/// "<a href=../index.htm>MENU</a>", the home link of the pages inside "html/".
inline constexpr std::string_view kHomeLink = "<a href=../index.htm>MENU</a>";

/// The skin file `name` when the skin has it, else "".
std::string SkinFile(const SheetRun& run, std::string_view name);

/// Loads a list template from the skin (copying its style sheet, or
/// "arcanote.css", into "html/"), else returns `fallback`.
std::string LoadListTemplate(const SheetRun& run, std::string_view htmlName,
                             std::string_view cssName, const std::string& fallback);

}  // namespace arc
