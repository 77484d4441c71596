#pragma once
// State and commands of the translation window: the support files that the
// catalogue gives a translation row (and today's history.xml after them), each
// with its check box and path, and the buttons that edit the dictionary and
// translate the ticked files.

#include <array>
#include <string>
#include <string_view>

#include "core/SupportFileCatalogue.h"

namespace arc {

/// The catalogue's translated files, then history.xml.
inline constexpr int kTranslationRows = [] {
    int count = 1;
    for (const SupportFileRow& row : kSupportFileCatalogue)
        count += row.translation.row >= 0 ? 1 : 0;
    return count;
}();

class TranslationWindowState {
  public:
    enum class RowResult { NotTicked, NoEntries, Translated, Missing, Failed, Cancelled };

    struct Row {
        bool checked = false;
        std::string path;
        RowResult result = RowResult::NotTicked;  ///< of the last translation
    };

    std::array<Row, kTranslationRows> rows;
    bool buttonsEnabled = true;  ///< edit and translate

    /// File name of row i ("Catlist.ini", ..., "Mameinfo.dat", "history.xml").
    static std::string_view RowFileName(int row);
    /// Row of a file name given with or without its extension, any case; -1 none.
    static int RowOfName(std::string_view name);

    /// Window load: each path is the defined path when that file exists, else
    /// the program's own dat/ or ini/ file.
    void Open();
    /// Browse button of row i.
    void Browse(int row);
    /// Edit button: creates the dictionary when missing, then opens it.
    void EditDictionary();
    /// Translate button; ends with EndMessage().
    void Translate();
    /// What the last translation did: the files it wrote, or that it wrote
    /// none, then the files it could not translate.
    std::string EndMessage() const;
};

}  // namespace arc
