#include "support/ReplacingWriters.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace arc::test {

int EntriesIn(const std::string& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder),
                                          std::filesystem::directory_iterator()));
}

void ExpectWritersKeepTheFileMode(const std::string& root,
                                  const std::vector<ReplacingWriter>& writers) {
    const mode_t savedMask = ::umask(027);
    for (const ReplacingWriter& writer : writers) {
        for (const mode_t before : {mode_t{0604}, mode_t{0}}) {
            if (writer.replacesOnly && before == 0) continue;
            SCOPED_TRACE(std::string(writer.name) + (before ? " replacing a file" : " new file"));
            const std::string folder = root + writer.name + std::to_string(before);
            std::filesystem::create_directories(folder);
            const std::string target = folder + "/catver.ini";
            if (before) {
                WriteFile(target, "[Category]\r\npacman=Maze\r\n");
                ::chmod(target.c_str(), before);
            }
            EXPECT_TRUE(writer.write(target));
            EXPECT_EQ(static_cast<mode_t>(std::filesystem::status(target).permissions()),
                      before ? before : 0640);
            EXPECT_NE(ReadFile(target), before ? "[Category]\r\npacman=Maze\r\n" : "");
            EXPECT_EQ(EntriesIn(folder), writer.replacesOnly ? 2 : 1);  // + the untranslated copy
        }
    }
    ::umask(savedMask);
}

}  // namespace arc::test
