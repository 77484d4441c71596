#pragma once
// Fetching one file over HTTP or HTTPS into a target path. The transfer goes
// to a temporary file beside the target, which is renamed over the target only
// when the whole body arrived with a success status: a failed download never
// leaves a file under the target name and never replaces a good one, and the
// temporary file goes on failure (and on SIGINT or SIGTERM, once the program
// installed core/SignalCleanup).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace arc {

struct DownloadOptions {
    long connectTimeoutSeconds = 30;
    /// The transfer is abandoned when fewer than lowSpeedBytes per second
    /// arrive for lowSpeedSeconds in a row.
    long lowSpeedBytes = 10;
    long lowSpeedSeconds = 60;
    long maxRedirects = 10;
    /// A body larger than this is abandoned (no support file comes near it).
    std::uint64_t maxBytes = std::uint64_t{1} << 30;
    /// Called while the body arrives: bytes received, bytes expected (0 when unknown).
    std::function<void(std::uint64_t received, std::uint64_t expected)> progress;
};

struct DownloadResult {
    bool ok = false;
    long httpStatus = 0;      ///< last status received (0 when no answer)
    std::uint64_t bytes = 0;  ///< size of the body kept
    std::string path;         ///< the file written (empty unless ok)
    std::string error;        ///< why it failed (empty when ok)
};

/// Downloads url to target (see the file comment). Only http:// and https://
/// are accepted, redirects included. A body that is plainly not what the
/// target's name promises (an HTML page for a ".zip", ".dat" or ".ini") counts
/// as a failure as well.
DownloadResult DownloadToFile(std::string_view url, const std::string& target,
                              const DownloadOptions& options = {});

/// Downloads url into `folder` (ending with "/") as DownloadToFile does, under
/// the name the server gives (Content-Disposition), else the link's name
/// (FileNameFromUrl), else the name at the end of the redirects. A link
/// without any usable name is a failure.
DownloadResult DownloadIntoFolder(std::string_view url, const std::string& folder,
                                  const DownloadOptions& options = {});

/// The support file a link names: a ".zip", ".7z", ".dat", ".ini" or ".xml"
/// name given in the query ("download.php?file=history.zip") when the path's
/// own name is not such a file, else SafeBaseNameFromUrl.
std::string FileNameFromUrl(std::string_view url);

/// The plain file name of a Content-Disposition value (filename*= before
/// filename=, folders dropped); "" when it gives none.
std::string FileNameFromContentDisposition(std::string_view value);

/// The file name at the end of a URL's path: no query, no fragment, no folder,
/// percent escapes decoded. Empty when no usable name is left (nothing after the
/// last "/", ".", "..", a separator or a control character in the name).
std::string SafeBaseNameFromUrl(std::string_view url);

}  // namespace arc
