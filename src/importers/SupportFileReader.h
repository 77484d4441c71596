#pragma once
// The reading loop shared by the support-file importers: progress caption,
// byte progress, events and cancel, all through the task's progress.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/TextFile.h"

namespace arc {

class TaskProgress;

/// Reads one support file line by line, reporting its bytes to `progress`.
class SupportFileReader {
  public:
    /// Opens the file; when it opened, logs "Analysing " + path (log flag on),
    /// sets the progress label, the total to the file length and 0 done.
    SupportFileReader(std::string_view path, TaskProgress& progress);

    bool IsOpen() const { return lines_.IsOpen(); }

    /// Stops once the task was cancelled, else reads the next line and trims
    /// it. False at the end of the file or on cancel. Events run as each line
    /// is read.
    bool Next(std::string& line);
    /// The next line trimmed, without the cancel test.
    bool NextQuiet(std::string& line);
    /// The next line as it is (not trimmed), without the cancel test.
    bool NextRaw(std::string& line);

    bool Cancelled() const { return cancelled_; }
    bool AtEnd() const { return atEnd_; }

    /// Notes a cancel, then the whole file done and events run (the end of
    /// every importer).
    void Finish();

  private:
    bool Read(std::string& line, bool trim);
    LineReader lines_;
    TaskProgress& progress_;
    int total_ = 0;
    bool cancelled_ = false;
    bool atEnd_ = false;
};

/// Text entry 112 ("Analysing ") followed by the last 36 characters of the path.
std::string AnalysingCaption(std::string_view path);

/// The end of an importer that holds no count of its own (its file is
/// missing, or several files were read): the bar full, events run.
void FinishWithoutFile(TaskProgress& progress);

/// A byte count as a progress count (larger ones are clamped).
int ProgressCount(std::uint64_t value);

/// Removes leading and trailing blanks in place.
void TrimInPlace(std::string& text);

}  // namespace arc
