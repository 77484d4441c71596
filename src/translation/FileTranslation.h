#pragma once
// Translating a support file in place, keeping the text from before as
// "<name>.ORIGINAL.<ext>" and the copy before that as "<name>.ORIGINAL.<ext>.bak".

#include <functional>
#include <string>
#include <string_view>

#include "translation/LineTranslator.h"

namespace arc {

/// "Catver.ini" gives "Catver.ORIGINAL.ini"; a name without an extension gets
/// ".ORIGINAL" appended.
std::string UntranslatedCopyName(std::string_view path);

enum class TranslateOutcome { Translated, Missing, Failed, Cancelled };

/// Translates every line of the file. The translated text is written to a
/// temporary file first; only when it is complete are the copies rotated and
/// the file replaced, so a failure or a cancel leaves every file as it was.
/// `keepGoing`, when given, is asked between lines (false cancels).
TranslateOutcome TranslateFile(const std::string& path, const LineTranslator& translator,
                               const std::function<bool()>& keepGoing = {});

}  // namespace arc
