// Reading and writing "Arcanote.inf": lines each defined by its position (and
// one more for each support file added after the seventeenth).

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextFile.h"

namespace arc {
namespace {

constexpr int kProcLoadSettings = 5;
constexpr int kProcSaveSettings = 6;
constexpr std::string_view kSettingsFile = "Arcanote.inf";

/// The leading number of a text, blanks ignored; 0 when there is none.
int ReadNumber(std::string_view text) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
        skipBlanks();
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;  // clamped below
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

/// A number line: one space before a number that is not negative, one after.
std::string NumberLine(int value) {
    return (value >= 0 ? " " : "") + std::to_string(value) + " ";
}

/// A string line: the value as it is, without line breaks that would shift
/// every following line.
std::string StringLine(const std::string& value) {
    if (value.find_first_of("\r\n") == std::string::npos) return value;
    std::string line;
    for (char c : value)
        if (c != '\r' && c != '\n') line += c;
    return line;
}

/// Walks a line of numbers separated by ";".
class CompoundLine {
  public:
    explicit CompoundLine(std::string_view text) : rest_(text) {}
    /// The number before the next ";"; false when there is no ";" left.
    bool Take(int& value) {
        const std::size_t semicolon = rest_.find(';');
        if (semicolon == std::string_view::npos) return false;
        value = ReadNumber(rest_.substr(0, semicolon));
        rest_.remove_prefix(semicolon + 1);
        return true;
    }
    int Rest() const { return ReadNumber(rest_); }

  private:
    std::string_view rest_;
};

/// Reads the lines in file order; false at the first missing or malformed
/// line. `loaded` turns true once the language line was read.
bool ReadSettingsLines(LineReader& reader, Settings& s, bool& loaded) {
    std::string line;
    const auto text = [&](std::string& field) {
        if (!reader.Next(line)) return false;
        field = line;
        return true;
    };
    const auto number = [&](int& field) {
        if (!reader.Next(line)) return false;
        field = ReadNumber(line);
        return true;
    };

    if (!text(s.DatabasePath) || !text(s.MameFolder) || !text(s.RomsFolder)) return false;
    for (int slot = 0; slot < kSlotsInPlace; ++slot)
        if (!text(s.DataFilePaths[slot])) return false;
    for (std::string& path : s.ArtFolders)
        if (!text(path)) return false;
    if (!text(s.HtmlFolder) || !number(s.Language)) return false;
    loaded = true;
    if (!text(s.MameExe) || !text(s.DefaultSkin)) return false;

    if (!reader.Next(line)) return false;
    CompoundLine window(line);
    for (int* value :
         {&s.MainWindow.Left, &s.MainWindow.Top, &s.MainWindow.Width, &s.MainWindow.Height})
        if (!window.Take(*value)) return false;
    s.MainWindow.State = window.Rest();

    if (!reader.Next(line)) return false;
    CompoundLine options(line);
    for (int slot = 1; slot <= 10; ++slot)
        if (!options.Take(s.SheetOptions[slot])) return false;
    s.SheetOptions[11] = options.Rest();

    if (!reader.Next(line)) return false;
    CompoundLine positions(line);
    for (int form = 1; form <= 10; ++form)
        if (!positions.Take(s.WindowLeft[form]) || !positions.Take(s.WindowTop[form])) return false;

    if (!(number(s.XmlOptions[1]) && number(s.XmlOptions[2]) && number(s.SheetOptions[12]) &&
          text(s.BackupFolder) && number(s.SearchOption) && number(s.WindowLeft[11]) &&
          number(s.WindowTop[11]) && text(s.ZipAllSource) && text(s.ZipAllDest) &&
          number(s.WindowLeft[12]) && number(s.WindowTop[12]) && text(s.ImageSource) &&
          text(s.UpdateDatabasePath) && text(s.UpdateFileChoices) && number(s.WindowLeft[13]) &&
          number(s.WindowTop[13])))
        return false;
    // The window sizes, which a file of the designed 49 lines lacks.
    if (reader.Next(line)) {
        CompoundLine sizes(line);
        for (int form = 1; form <= 13; ++form)
            if (!sizes.Take(s.WindowWidth[form]) || !sizes.Take(s.WindowHeight[form])) break;
    }
    for (int slot = kSlotsInPlace; slot < kDataFileSlots; ++slot)
        if (!text(s.DataFilePaths[slot])) break;
    return true;
}

std::string& RefusedFile() {
    static std::string refused;
    return refused;
}

/// True when the file cannot be a settings file: larger than any, or holding
/// bytes no text holds. (A text line of another kind reads by the designed
/// rules: no number reads as 0.)
bool IsGarbage(const std::string& path) {
    constexpr std::uintmax_t kLargest = 256 * 1024;  // a settings file holds a few kilobytes
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) > kLargest && !ec) return true;
    std::ifstream file(path, std::ios::binary);
    char c = 0;
    while (file.get(c)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') return true;
    }
    return false;
}

}  // namespace

const std::string& RefusedSettingsFile() {
    return RefusedFile();
}

bool LoadSettings() {
    Settings& s = TheSettings();
    s.MainWindow.State = -1;
    const std::string path = InProgramFolder(kSettingsFile);
    RefusedFile().clear();
    if (!FileExists(path)) return false;
    if (IsGarbage(path)) {
        RefusedFile() = path;
        WriteLog("Settings refused, kept as they are: " + path);
        return false;
    }
    DebugLog("Load " + path);
    bool loaded = false;
    Guarded(kProcLoadSettings, [&] {
        LineReader reader(path);
        if (reader.IsOpen()) ReadSettingsLines(reader, s, loaded);
    });
    return loaded;
}

std::array<std::string, kSettingsFileLines> SettingsFileLines(const Settings& s) {
    std::array<std::string, kSettingsFileLines> lines;
    std::size_t n = 0;
    lines[n++] = StringLine(s.DatabasePath);
    lines[n++] = StringLine(s.MameFolder);
    lines[n++] = StringLine(s.RomsFolder);
    for (int slot = 0; slot < kSlotsInPlace; ++slot)
        lines[n++] = StringLine(s.DataFilePaths[slot]);
    for (const std::string& path : s.ArtFolders)
        lines[n++] = StringLine(path);
    lines[n++] = StringLine(s.HtmlFolder);
    lines[n++] = NumberLine(s.Language);
    lines[n++] = StringLine(s.MameExe);
    lines[n++] = StringLine(s.DefaultSkin);

    const MainWindowGeometry& w = s.MainWindow;
    lines[n++] = std::to_string(w.Left) + ";" + std::to_string(w.Top) + ";" +
                 std::to_string(w.Width) + ";" + std::to_string(w.Height) + ";" +
                 std::to_string(w.State);
    std::string options;
    for (int slot = 1; slot <= 11; ++slot) {
        if (slot > 1) options += ';';
        options += std::to_string(s.SheetOptions[slot]);
    }
    lines[n++] = options;
    std::string positions;
    for (int form = 1; form <= 10; ++form)
        positions +=
            std::to_string(s.WindowLeft[form]) + ";" + std::to_string(s.WindowTop[form]) + " ;";
    lines[n++] = positions;

    lines[n++] = NumberLine(s.XmlOptions[1]);
    lines[n++] = NumberLine(s.XmlOptions[2]);
    lines[n++] = NumberLine(s.SheetOptions[12]);
    lines[n++] = StringLine(s.BackupFolder);
    lines[n++] = NumberLine(s.SearchOption);
    lines[n++] = NumberLine(s.WindowLeft[11]);
    lines[n++] = NumberLine(s.WindowTop[11]);
    lines[n++] = StringLine(s.ZipAllSource);
    lines[n++] = StringLine(s.ZipAllDest);
    lines[n++] = NumberLine(s.WindowLeft[12]);
    lines[n++] = NumberLine(s.WindowTop[12]);
    lines[n++] = StringLine(s.ImageSource);
    lines[n++] = StringLine(s.UpdateDatabasePath);
    lines[n++] = StringLine(s.UpdateFileChoices);
    lines[n++] = NumberLine(s.WindowLeft[13]);
    lines[n++] = NumberLine(s.WindowTop[13]);
    std::string sizes;
    for (int form = 1; form <= 13; ++form)
        sizes +=
            std::to_string(s.WindowWidth[form]) + ";" + std::to_string(s.WindowHeight[form]) + " ;";
    lines[n++] = sizes;
    for (int slot = kSlotsInPlace; slot < kDataFileSlots; ++slot)
        lines[n++] = StringLine(s.DataFilePaths[slot]);
    return lines;
}

bool SaveSettings(std::string_view path) {
    bool saved = false;
    Guarded(kProcSaveSettings, [&] {
        const std::string target =
            path.empty() ? InProgramFolder(kSettingsFile) : std::string(path);
        if (target == RefusedFile()) {
            DebugLog("Not saved over a file that is no settings file: " + target);
            return;
        }
        DebugLog("Save " + target);
        const auto lines = SettingsFileLines(TheSettings());
        // Written beside the target and renamed over it: a failed write
        // leaves the previous file whole.
        if (!WriteTextLines(target, {lines.begin(), lines.end()})) {
            const int error = errno;
            throw AppError(ErrorNumberFor(std::error_code(error, std::generic_category())),
                           std::string(std::strerror(error)) + ": " + target);
        }
        saved = true;
    });
    return saved;
}

}  // namespace arc
