#pragma once
// The program's append-only log "Arcanote.log.txt": debug lines, error blocks,
// the settings dump and the Debug command.

#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// Program folder + "Arcanote.log.txt".
std::string LogFilePath();

/// Appends one line (CR LF), opening and closing the file. A log that cannot
/// be written is skipped silently. An empty text writes nothing.
void WriteLog(std::string_view line);

/// WriteLog only while debug logging is on.
void DebugLog(std::string_view line);

/// Debug logging (the Debug command's switch, never saved): off at start.
bool DebugLogging();
void SetDebugLogging(bool on);

/// Error blocks written since the program started.
int ErrorBlockCount();

/// Debug logging off, the counts and the procedure number at zero (a test
/// starts each case so).
void ResetLog();

/// The line that follows the sixth error block of a task.
inline constexpr std::string_view kErrorLimitLine = "5 BUG ERRORS => Sorry, Arcanote Stopped.";

/// Writes the five-line error block for the current procedure number and
/// counts it; the sixth block of a task adds the stop line, opens the log
/// through the UI service and throws ErrorLimitReached (the task ends failed).
void WriteErrorBlock(int errorNumber, std::string_view description);

/// Local date and time, "YYYY-MM-DD HH:MM:SS".
std::string NowStamp();

struct Settings;

/// The 37 lines of the settings dump of a settings record.
std::vector<std::string> SettingsDumpLines(const Settings& settings);

/// Writes the settings dump of the current settings to the log.
void WriteSettingsDump();

/// The Debug command: switches debug logging (asking whether to delete an
/// existing log when switching on) and writes the switch line. Returns the new flag.
bool ToggleDebugLogging();

}  // namespace arc
