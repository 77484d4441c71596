#pragma once
// The unzip window ("Unzip with zLib"): drives one reader for the length of
// one unzip entry point call, shows its status and a progress bar, and keeps
// the reader's last error in the shared state.

#include <memory>
#include <string>
#include <string_view>

#include "zip/ZipExtractionClass.h"

namespace arc {

class UnzipWindowState;

/// How a desktop front end shows the window (modeless); the logic only
/// calls it while the window is not hidden.
class UnzipWindowView {
  public:
    virtual ~UnzipWindowView() = default;
    virtual void Show(const UnzipWindowState& window) = 0;
    /// The status label or the bar changed.
    virtual void Refresh(const UnzipWindowState& window) = 0;
    virtual void Unload() = 0;
};

/// Installs the front end's view (nullptr: none, the window stays invisible).
void InstallUnzipWindowView(UnzipWindowView* view);

class UnzipWindowState {
  public:
    static constexpr std::string_view kCaption = "Unzip with zLib";

    /// Loads the window: creates the reader, copies ZipPath and opens it.
    /// Shown modeless unless hidden.
    explicit UnzipWindowState(bool hidden);
    /// Unloads the window, which closes the archive.
    ~UnzipWindowState();
    UnzipWindowState(const UnzipWindowState&) = delete;
    UnzipWindowState& operator=(const UnzipWindowState&) = delete;

    bool ExtractAll();
    void ListArchive();
    /// True when the member named ZipFilter was found and written.
    bool ExtractOneFile();
    /// Members written whose names end with ZipFilter; -1 when none matched.
    int ExtractByExtension();
    std::string ReadComment();
    /// One line per entry: name|date|sizes|ratio, CR LF ended.
    std::string ReadContents();

    const std::string& Label1() const { return label_; }
    /// Width of the bar as a percentage of its full width.
    int BarPercent() const { return barPercent_; }
    bool Hidden() const { return hidden_; }
    const std::string& ArchivePath() const { return path_; }

  private:
    void MonZip_Progress(int percent, bool& cancel);
    void MonZip_Status(const std::string& message);
    void MonZip_ZipError(int number, const std::string& message);
    void EnsureOpen();
    void Refresh();

    ZipExtractionClass zip_;
    std::string path_;
    std::string label_;
    int barPercent_ = 0;
    int errorsRaised_ = 0;
    bool hidden_;
};

}  // namespace arc
