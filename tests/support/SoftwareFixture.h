#pragma once
// The software lists cut from the real hash files, imported into the open database.

#include <gtest/gtest.h>

#include "core/Task.h"
#include "software/SoftwareImport.h"
#include "support/TestSupport.h"

namespace arc::test {

inline void ImportCutSoftwareLists(UiService& ui) {
    RecordedProgress progress;
    TaskContext context(progress, ui);
    ASSERT_TRUE(
        RunSoftwareImport({SourceDir() + "/tests/data/software-0.251/hash", "", ""}, context).ok());
}

}  // namespace arc::test
