#pragma once
// The build's side of the support-file catalogue: each file's importer, the
// path rule and the build's run of the importers.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/SupportFileCatalogue.h"

namespace arc {

class DataValues;
class TaskProgress;

/// Reads the file at `path` into the open database, reporting to `progress`;
/// true when it reported success. With `values`, the Data values are collected
/// there instead of written at once.
using SupportImporter = bool (*)(std::string_view path, TaskProgress& progress, DataValues* values);

SupportImporter ImporterOf(SupportFile file);

/// Where a run takes the support files from: the defined path of each slot
/// (SlotOf) and which of the two places comes first.
struct SupportPaths {
    bool useDefinedPaths = false;
    std::array<std::string, kSupportFileCount> defined;
};

/// The path rule: with useDefinedPaths the defined path, else the program
/// folder's copy; when the first choice does not exist, the other.
std::string SupportFilePath(SupportFile file, const SupportPaths& paths);

/// True when the importer has something to read at `path` (History.dat also
/// with a history.xml beside it).
bool SupportFileFound(SupportFile file, const std::string& path);

/// Resolves the path and runs the importer; its result.
bool RunSupportImporter(SupportFile file, const SupportPaths& paths, TaskProgress& progress);

/// The build's importers in catalogue order, each skipped when one of the
/// files that cover it was read, the notes copied after them; stops at a
/// cancel of `progress` or a database error. Their Data values are written
/// once per set, before the notes. Returns the importers that found their file.
std::vector<SupportFile> RunBuildImporters(const SupportPaths& paths, TaskProgress& progress);

/// The same run in two parts: the files are read on a thread of their own,
/// touching no database, while the emulator's list is imported; Write()
/// writes what they gave once the list is in.
class SupportFilesReading {
  public:
    /// Starts reading.
    explicit SupportFilesReading(const SupportPaths& paths);
    /// Stops the reading at its next line and waits for it.
    ~SupportFilesReading();
    SupportFilesReading(const SupportFilesReading&) = delete;
    SupportFilesReading& operator=(const SupportFilesReading&) = delete;

    /// Waits for the reading, then writes and copies the notes as
    /// RunBuildImporters does. Returns the importers that found their file.
    std::vector<SupportFile> Write(TaskProgress& progress);

  private:
    struct Reading;
    std::unique_ptr<Reading> reading_;
};

}  // namespace arc
