#pragma once
// A command whose task logged error blocks did only part of its work: it says
// so on stderr and exits non-zero.

#include <ostream>
#include <string_view>

#include "cli/Cli.h"
#include "core/Log.h"

namespace arc::cli {

/// 0 when no error block was written since `errorsBefore` (ErrorBlockCount()
/// taken before the task), else 1 after telling how many and where.
inline int ReportLoggedErrors(CliContext& context, std::string_view command, int errorsBefore) {
    const int errors = ErrorBlockCount() - errorsBefore;
    if (errors <= 0) return 0;
    context.err << command << ": " << errors << (errors == 1 ? " error was" : " errors were")
                << " logged; the task may be incomplete (see " << LogFilePath() << ")\n";
    return 1;
}

}  // namespace arc::cli
