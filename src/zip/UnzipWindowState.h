#pragma once
// The unzip window ("Unzip with zLib"): drives one reader for the length of
// one unzip entry point call, shows its stage and a progress bar, and keeps
// the reader's errors.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zip/ZipReader.h"

namespace arc {

class UnzipWindowState;
struct UnzipResult;
struct ZipMemberInfo;

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
/// The installed view (nullptr: none).
UnzipWindowView* InstalledUnzipWindowView();

class UnzipWindowState {
  public:
    static constexpr std::string_view kCaption = "Unzip with zLib";

    /// Loads the window: creates the reader and opens the archive. Shown
    /// modeless through `view` (nullptr: hidden).
    UnzipWindowState(std::string_view archivePath, UnzipWindowView* view);
    /// Unloads the window, which closes the archive.
    ~UnzipWindowState();
    UnzipWindowState(const UnzipWindowState&) = delete;
    UnzipWindowState& operator=(const UnzipWindowState&) = delete;

    /// Every entry into `destination`, with its folders; true when the walk completed.
    bool ExtractAll(const std::string& destination);
    /// Every entry with its uncompressed size.
    std::vector<ZipMemberInfo> ListArchive();
    /// The member named `name` (any case, folders included), without its folders.
    void ExtractOneFile(const std::string& destination, std::string_view name, UnzipResult& result);
    /// The members whose names end with `extension` (any case), without their folders.
    void ExtractByExtension(const std::string& destination, std::string_view extension,
                            UnzipResult& result);

    /// The errors the reader raised since the window was loaded.
    const std::vector<ZipError>& Errors() const { return errors_; }
    const std::string& Label1() const { return label_; }
    /// Width of the bar as a percentage of its full width.
    int BarPercent() const { return barPercent_; }
    bool Hidden() const { return view_ == nullptr; }
    const std::string& ArchivePath() const { return path_; }

  private:
    void OnProgress(int percent);
    void OnStage(ZipStage stage, const std::string& name);
    void EnsureOpen();
    void Refresh();
    /// Extracts entry `index` flat; true when it raised no error.
    bool ExtractFlat(int index, const std::string& destination);

    ZipReader zip_;
    std::string path_;
    std::string label_;
    int barPercent_ = 0;
    std::vector<ZipError> errors_;
    UnzipWindowView* view_;
};

}  // namespace arc
