#pragma once
// The UI text table: entries in English or French, read by number.

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/TextIds.h"

namespace arc {

/// Entries are numbered 0 .. kTextEntries - 1; a number without a text is empty.
inline constexpr int kTextEntries = 700;

/// Entries added after the designed 0..267, named where they are used.
enum AddedText : int {
    kTextUpdateMenu = 268,
    kTextUpdateTitle = 269,
    kTextUpdateChooser = 270,
    kTextUpdateFromMame = 271,
    kTextUseDefinedPaths = 272,
    kTextUseOwnData = 273,
    kTextUpdateButton = 274,
    kTextUpdating = 275,
    kTextUpdateNoFile = 276,
    kTextUpdateNoChoice = 277,
    kTextCannotOpenFile = 278,
    kTextUpdateIncomplete = 279,
    kTextEmulatorFailed = 280,
    kTextNoListImported = 281,
    kTextFileMissing = 282,
    kTextDatabaseError = 283,
    kTextStatisticsTemplate = 284,
    kTextTemplateRefused = 285,
    kTextListCut = 286,
    kTextBuildFailed = 287,
    kTextCannotBeOpened = 288,
    kTextPagesNotWritten = 289,
    kTextCriteriaChanged = 290,
    kTextFileNotWritten = 291,
    kTextBothFormatsDeleted = 292,
    kTextBothFormatsMoved = 293,
    kTextBothFormatsCopied = 294,
    kTextImagesNotCopied = 295,
    kTextImagesNotTrashed = 296,
    kTextNotDownloaded = 297,
    kTextSeeTheLog = 298,
    kTextNothingTicked = 299,
    kTextAuditLabel = 300,
    kTextVerdictComplete = 301,
    kTextVerdictBestAvailable = 302,
    kTextVerdictIncomplete = 303,
    kTextVerdictBad = 304,
    kTextVerdictUnreadable = 305,
    kTextNotAudited = 306,
    kTextAuditMenu = 307,
    kTextAuditTitle = 308,
    kTextAuditColumns = 309,
    kTextAuditStart = 310,
    kTextAuditSummary = 311,
    kTextAuditUnavailable = 312,
    kTextSetsAudited = 313,
    kTextEmulatorUsed = 314,
    kTextNoneFound = 315,
    kTextPathMissing = 316,
    // 320-339: the database build, update and layout.
    kTextBuildRunning = 320,
    kTextOlderDatabase = 321,
    kTextNotArcanoteDatabase = 322,
    kTextNewerDatabase = 323,
    kTextSettingsRefused = 324,
    kTextBuildOrChoose = 325,
    // 360-379: the site of game sheets.
    kTextTheFolder = 360,
    kTextNotWritable = 361,
    kTextHoldsProgramFiles = 362,
    kTextArtNotExtracted = 363,
    // 400-419: the desktop windows.
    kTextUseAnotherDatabase = 400,
    kTextAuditCancelledKept = 401,
};

/// Entry n of the current table; an empty string outside 0..kTextEntries-1.
const std::string& Text(int n);

/// Fills every entry for the current Language (1 French, anything else
/// English) and refreshes ArtLabels; logs "LANGUAGE = n" when logging is on.
void BuildTextTable();

/// Copies of entries 0..5, the captions of the six artwork kinds.
const std::array<std::string, 6>& ArtLabels();

/// The English or French text of entry n, whatever the current language.
std::string_view EnglishText(int n);
std::string_view FrenchText(int n);

/// The verdicts of the Audit table in the order they are reported.
inline constexpr std::string_view kAuditVerdicts[] = {"complete", "best available", "incomplete",
                                                      "bad", "unreadable"};
/// The current language's text of an audit verdict as the Audit table stores
/// it; the stored text itself when it is none of kAuditVerdicts.
std::string VerdictCaption(std::string_view verdict);

/// Entry n with "%1", "%2" ... replaced by the values in order.
std::string TextWith(int n, std::initializer_list<std::string_view> values);

/// Each "|" replaced by a line break.
std::string WithLineBreaks(std::string_view text);

}  // namespace arc
