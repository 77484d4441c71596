#pragma once
// Unzip as a task: one archive listed, or extracted whole, one member or the
// members of an extension, with the progress reported to the task's context.

#include <string>
#include <vector>

#include "core/Task.h"
#include "zip/Unzip.h"

namespace arc {

enum class UnzipAction { ExtractAll, ExtractMember, ExtractExtension, List };

struct UnzipRequest {
    std::string archive;
    std::string destination;  ///< "": the program folder
    UnzipAction action = UnzipAction::ExtractAll;
    std::string member;     ///< ExtractMember: the member's name, folders included
    std::string extension;  ///< ExtractExtension: the end of the members' names
};

struct UnzipOutcome : Outcome {
    UnzipResult result;                  ///< what the extraction did, the reader's errors
    std::vector<ZipMemberInfo> members;  ///< List: the archive's entries
};

/// Runs the action. The outcome fails when the reader raised an error, the
/// archive could not be walked to its end, or the one member asked for was
/// not written; `done` counts the members written by a member or extension
/// extraction, the entries of a listing. A missing archive fails at once with
/// its typed error.
UnzipOutcome RunUnzip(const UnzipRequest& request, TaskContext& context);

}  // namespace arc
