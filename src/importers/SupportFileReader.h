#pragma once
// The reading loop shared by the support-file importers: progress caption,
// byte progress, throttled event handling and the cancel flag.

#include <string>
#include <string_view>

#include "core/TextFile.h"

namespace arc {

/// Reads one support file line by line under the long-task protocol.
class SupportFileReader {
  public:
    /// Opens the file; when it opened, logs "Analysing " + path (log flag on),
    /// sets the progress caption and ProgressTotal = file length, ProgressDone = 0.
    explicit SupportFileReader(std::string_view path);

    bool IsOpen() const { return lines_.IsOpen(); }

    /// Lets events run, stops once the cancel flag is set, reads the next line
    /// and trims it. False at the end of the file or on cancel.
    bool Next(std::string& line);
    /// The next line trimmed, without events or the cancel test.
    bool NextQuiet(std::string& line);
    /// The next line as it is (not trimmed), without events or the cancel test.
    bool NextRaw(std::string& line);

    bool Cancelled() const { return cancelled_; }
    bool AtEnd() const { return atEnd_; }

    /// ProgressDone = ProgressTotal and events run (the end of every importer).
    void Finish();

  private:
    bool Read(std::string& line, bool trim);
    LineReader lines_;
    bool cancelled_ = false;
    bool atEnd_ = false;
};

/// Text entry 112 ("Analysing ") followed by the last 36 characters of the path.
std::string AnalysingCaption(std::string_view path);

/// What an importer does when its file is missing: ProgressDone =
/// ProgressTotal, events run.
void FinishWithoutFile();

/// Removes leading and trailing blanks in place.
void TrimInPlace(std::string& text);

}  // namespace arc
