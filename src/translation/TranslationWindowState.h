#pragma once
// State and commands of the translation window: the support files that the
// catalogue gives a translation row (and today's history.xml after them), each
// with its check box and path, and the buttons that edit the dictionary and
// translate the ticked files.

#include <array>
#include <string>
#include <string_view>

#include "translation/TranslationTask.h"

namespace arc {

class TranslationWindowState {
  public:
    using RowResult = TranslationResult;

    struct Row {
        bool checked = false;
        std::string path;
        RowResult result = RowResult::NotTicked;  ///< of the last translation
    };

    std::array<Row, kTranslationRows> rows;
    bool buttonsEnabled = true;  ///< edit and translate

    /// Window load: the rows' paths (TranslationPaths of the settings).
    void Open();
    /// Browse button of row i.
    void Browse(int row);
    /// Edit button: creates the dictionary when missing, then opens it.
    void EditDictionary();
    /// Translate button: RunTranslation of the ticked rows; ends with EndMessage().
    void Translate();
    /// What the last translation did: the files it wrote, or that it wrote
    /// none, then the files it could not translate.
    std::string EndMessage() const;
};

}  // namespace arc
