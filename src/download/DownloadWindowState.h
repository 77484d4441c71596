#pragma once
// State and commands of the download window: the entries with their
// check boxes, file URLs and marks, the copy option, the status label, and the
// download run that fills the program's dat/ and ini/ folders.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "download/DownloadList.h"
#include "download/DownloadTask.h"
#include "download/Downloader.h"

namespace arc {

class DownloadWindowState {
  public:
    struct Row {
        bool checked = false;
        std::string fileUrl;  ///< the entry's text box
        bool success = false;
        bool failure = false;
        std::string savedName;  ///< the file the last run saved in the Download folder
        std::string error;      ///< why the last run failed on it
    };

    std::array<Row, kDownloadEntries> rows;
    bool copyToPaths = false;     ///< "Copy data into defined folders"
    bool controlsEnabled = true;  ///< Download, Cancel, Paths, edit list, Site buttons, URL boxes
    bool statusVisible = false;
    std::string status;

    /// Timeouts and redirect limit of every transfer.
    DownloadOptions transferOptions;
    /// Opened as a step of the wizard: a run ends by closing the window, without message.
    bool inWizard = false;

    // Front-end hooks (all optional).
    std::function<void()> onChanged;       ///< the state changed: redraw (from the run's thread)
    std::function<void()> onCloseRequest;  ///< the run asks the window to close (wizard)
    /// Told at the end of each run what it did (the outcome's message).
    std::function<void(const std::string&)> onRunEnded;
    std::function<void(bool)> setVisible;  ///< hides/shows the window around the paths dialog

    /// Window load: empties the entries, loads the list.
    void Open();
    /// Window unload: saves the list. Safe to call twice.
    void Close();
    bool IsOpen() const { return open_; }

    /// An address typed into entry `index`'s box: kept and saved with the
    /// list, or refused with a message when it is empty (the old one stays).
    bool EditUrl(int index, std::string_view text);
    /// Writes the list file from the site URLs and the URL boxes.
    void SaveList();
    /// Reads the list file again (URL boxes included).
    void ReloadList();
    const std::array<std::string, kDownloadEntries>& siteUrls() const { return list_.siteUrls; }

    /// Site button i: reloads the list, then opens the entry's site.
    void OpenSite(int index);
    /// Edit list button: saves, then opens the list file.
    void EditList();
    /// Paths button: the window steps aside while the paths dialog runs.
    void Paths();
    /// Download button: RunDownload of the ticked entries; ends with the
    /// outcome's message (told to onRunEnded).
    void Run();

  private:
    /// The downloads, unpacking and copies of a run.
    void Transfer();
    void Changed();
    void SetStatus(std::string text);

    DownloadList list_ = DefaultDownloadList();
    bool open_ = false;
};

}  // namespace arc
