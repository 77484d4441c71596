#pragma once
// File dialog filters: the program's "description|pattern|..." form turned
// into Qt name filters that match without regard to case.

#include <QStringList>
#include <string_view>

namespace arc::ui {

struct NameFilters {
    QStringList filters;  ///< "Description (patterns)", the patterns made case-blind
    int selected = 0;     ///< the first filter that matches the initial file name
};

/// "*.*" means every file; "*.dat" becomes "*.[dD][aA][tT]". Patterns joined by
/// ";" are kept apart. An entry without a pattern takes "*".
NameFilters ToNameFilters(std::string_view filter, std::string_view initialName = {});

}  // namespace arc::ui
