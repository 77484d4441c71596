#pragma once
// Names of the text-table entries that the code reads (Text(kTextDone)).

namespace arc {

inline constexpr int kTextNotFoundCannotContinue = 6;  // "not found. Impossible to continue."
inline constexpr int kTextOpenDatabaseTitle = 8;       // "Open Access file (MDB)"
inline constexpr int kTextDatabaseFilter = 9;   // "Access file (*.MDB)|*.mdb|All files (*.*)|*.*|"
inline constexpr int kTextEmulatorPath = 14;    // "Path to MAME (windows command line version)"
inline constexpr int kTextRomPath = 15;         // "Path to the ROMs"
inline constexpr int kTextPaths = 19;           // "Paths"
inline constexpr int kTextProgramFilter = 21;   // "Exe files (*.exe)|*.exe|All files"
inline constexpr int kTextSelectRomsPath = 22;  // "Select roms path."
inline constexpr int kTextSelectPathFor = 23;   // "Select path for "
inline constexpr int kTextWorkInProgress = 24;  // "Work in progress..."
inline constexpr int kTextCreatingRomsList = 25;      // "Creating roms list"
inline constexpr int kTextSavePath = 26;              // "Path to save files"
inline constexpr int kTextOnlyAvailableRoms = 27;     // "Only available roms"
inline constexpr int kTextAvoidClones = 28;           // "Avoid clones"
inline constexpr int kTextAvoidNonWorkingRoms = 29;   // "Avoid non working roms"
inline constexpr int kTextMake = 36;                  // "Make"
inline constexpr int kTextSelectSaveFolder = 37;      // "Select a folder to save game files."
inline constexpr int kTextDestinationNotEmpty = 38;   // "Destination folder is not empty."
inline constexpr int kTextConfirmDelete = 39;         // "Do you want to delete ?"
inline constexpr int kTextCancel = 40;                // "Cancel"
inline constexpr int kTextConfirmDeleteFilesIn = 41;  // "Do you want to delete files in : "
inline constexpr int kTextDeleting = 42;              // "Deleting..."
inline constexpr int kTextAnalysing = 44;             // "Analysing..."
inline constexpr int kTextNoDataForCriteria = 45;  // "No data with these criteria|could be found."
inline constexpr int kTextRomsToAnalyse = 46;      // " roms to analyse."
inline constexpr int kTextSet = 47;                // "Set."
inline constexpr int kTextNext = 50;               // "&Next"
inline constexpr int kTextCreatingCompleteList = 55;  // "Creating complete list"
inline constexpr int kTextCompleteListFile = 56;      // "COMPLETE_LIST"
inline constexpr int kTextUnknownBracketed = 58;      // "[Unknown]"
inline constexpr int kTextManufacturersPrefix = 59;   // "MANUFACTURERS_"
inline constexpr int kTextManufacturersFile = 61;     // "MANUFACTURERS"
inline constexpr int kTextGenres = 62;                // "GENRES"
inline constexpr int kTextCategory = 67;              // "CATEGORY"
inline constexpr int kTextCloseButton = 70;           // "&Close"
inline constexpr int kTextYears = 71;                 // "YEARS"
inline constexpr int kTextVersions = 74;              // "VERSIONS"
inline constexpr int kTextStatistics = 75;            // "Statistics"
inline constexpr int kTextCompleteListTitle = 76;     // "Complete list"
inline constexpr int kTextManufacturersList = 77;     // "Manufacturers' list"
inline constexpr int kTextGenresList = 78;            // "Genres' list"
inline constexpr int kTextCategoriesList = 79;        // "Categories' list"
inline constexpr int kTextListByYear = 81;            // "List by year"
inline constexpr int kTextGamesByVersion = 82;        // "Games by MAME version"
inline constexpr int kTextLinks = 83;                 // "Links"
inline constexpr int kTextUnzippingArt = 84;          // "Unzipping graphic files"
inline constexpr int kTextDownloadingData = 85;       // "Downloading data"
inline constexpr int kTextSelectFilesToDownload =
    86;  // "Select files to download. Sometimes you need to go to the..."
inline constexpr int kTextDownloading = 87;  // "Downloading..."
inline constexpr int kTextDownload = 88;     // "&Download"
inline constexpr int kTextFolderNotEmpty =
    89;  // "The download folder is not empty.|Do you want to delete it ?"
inline constexpr int kTextUnzipping = 91;     // "Unzipping..."
inline constexpr int kTextDone = 92;          // "Done."
inline constexpr int kTextLoadingList = 94;   // "Loading list"
inline constexpr int kTextMakeDatabase = 95;  // "Make Access database (MDB)"
inline constexpr int kTextTemplateNotFound =
    104;  // "The file Arcanote.mdx can't be found.|Impossible to conti..."
inline constexpr int kTextNewDatabaseTitle = 107;  // "New Access file (MDB)"
inline constexpr int kTextDatabaseExistsReplace =
    108;  // "The MDB file already exists. Do you want to replace it ?"
inline constexpr int kTextUpdateFromEmulator = 109;  // "Update game and clone data from MAME."
inline constexpr int kTextUnknownValue = 111;        // "Unknown"
inline constexpr int kTextAnalysingPrefix = 112;     // "Analysing "
inline constexpr int kTextNoRomFoundIn = 113;        // "No rom could be found in"
inline constexpr int kTextScannedFiles = 114;        // " scanned file(s)."
inline constexpr int kTextListedRoms = 115;          // " listed roms."
inline constexpr int kTextIniFilter = 116;      // "All files (*.*)|*.*|Ini files (*.ini)|*.ini|"
inline constexpr int kTextSupportedRoms = 121;  // "Supported roms : "
inline constexpr int kTextWorkingRoms = 122;    // " working roms"
inline constexpr int kTextWorkingRomsImperfectColours =
    123;  // " working roms with preliminary colors"
inline constexpr int kTextWorkingRomsImperfectSound =
    124;                                                 // " working roms with preliminary sounds"
inline constexpr int kTextWorkingRomsWithoutFlip = 125;  // " working roms without flipscreen"
inline constexpr int kTextNonWorkingWithWorkingClone =
    126;                                  // " non working roms for which there is a working clone"
inline constexpr int kTextFinally = 127;  // "Finaly, "
inline constexpr int kTextRomsArePlayable = 128;   // " roms are playable."
inline constexpr int kTextGenresListed = 129;      // " different genres are listed"
inline constexpr int kTextCategoriesListed = 131;  // " different categories are listed"
inline constexpr int kTextManufacturersListed =
    132;  // " different manufacturers or licenses are listed"
inline constexpr int kTextSupportedInHiscore = 133;  // " roms are supported in Hiscore.dat"
inline constexpr int kTextSupportedInCheat = 134;    // " roms are supported in Cheat.dat"
inline constexpr int kTextMatureGames = 135;         // " roms are mature games"
inline constexpr int kTextSupportedInCommand = 136;  // " roms are supported in Command.dat"
inline constexpr int kTextSupportedInHistory = 137;  // " roms are supported in History.dat"
inline constexpr int kTextWizardIntro =
    143;  // "Choose actions you want to execute. Before proceeding, yo..."
inline constexpr int kTextFirstBox = 144;       // "Download data"
inline constexpr int kTextWizardPaths = 148;    // "Paths"
inline constexpr int kTextFinished = 149;       // "Wizard finished."
inline constexpr int kTextDeleteLogFile = 151;  // "A log file exists.|Do you want to delete it ?"
inline constexpr int kTextTranslation = 152;    // "Translation"
inline constexpr int kTextEditDictionaries = 153;  // "&Edit Dictionaries"
inline constexpr int kTextTranslate = 154;         // "&Translate"
inline constexpr int kTextNoDictionary = 155;      // "Can't find dictionnary"
inline constexpr int kTextDatFilter = 156;         // "All files (*.*)|*.*|Dat files (*.dat)|*.dat|"
inline constexpr int kTextTranslating = 157;       // "Translating..."
inline constexpr int kTextCopyAllArt = 158;        // "Copy all art files found"
inline constexpr int kTextImagesTab = 160;         // "Images"
inline constexpr int kTextDataTab = 161;           // "Data"
inline constexpr int kTextAllFiles = 162;          // "All files"
inline constexpr int kTextFilesTab = 163;          // "Files"
inline constexpr int kTextArtPathsFromEmulator = 164;   // "Create art file paths from Mame's path"
inline constexpr int kTextDataPathsFromEmulator = 165;  // "Create data file paths from Mame's path"
inline constexpr int kTextDataCopiedIntoProgramFolder =
    168;  // "Data will be copied into INI and DAT folders of Arcanote...."
inline constexpr int kTextCopyDataIntoDefinedFolders = 169;  // "Copy data into defined folders"
inline constexpr int kTextCopying = 170;                     // "Copying files..."
inline constexpr int kTextUseDataInDefinedPaths = 171;  // "Use the data saved into defined paths."
inline constexpr int kTextUseProgramFolderData = 172;   // "Use the data saved into Arcanote."
inline constexpr int kTextParentArtForClones = 173;     // "Original game art for clones"
inline constexpr int kTextNoListxmlForExpertMode =
    179;  // "Can't find listxml.txt, impossible to use expert mode."
inline constexpr int kTextXmlAnalysing = 180;    // "XML analysing..."
inline constexpr int kTextConfirmCancel = 181;   // "Are you sure you want to cancel ?"
inline constexpr int kTextSearchDatabase = 182;  // "Arcanote database to use"
inline constexpr int kTextSearchRomPath = 183;   // "Path to Arcanote rom files"
inline constexpr int kTextKeyword = 184;         // "Keyword"
inline constexpr int kTextResults = 186;         // "Results"
inline constexpr int kTextUseRomFolderForResults =
    187;                                             // "Use Arcanote rom files to display results"
inline constexpr int kTextDisplay = 194;             // "&Display"
inline constexpr int kTextFind = 195;                // "&Find"
inline constexpr int kTextSearchClose = 196;         // "&Close"
inline constexpr int kTextSearchMenu = 197;          // "Search..."
inline constexpr int kTextGameFilesPath = 198;       // "Path to game files"
inline constexpr int kTextGamePageNotFound = 199;    // "The HTML file of the rom can't be found."
inline constexpr int kTextSaveIniFile = 200;         // "Save INI file"
inline constexpr int kTextFileSaved = 202;           // "File saved."
inline constexpr int kTextSearchTab = 214;           // "Search"
inline constexpr int kTextOptionsTab = 215;          // "Options"
inline constexpr int kTextMakeIniFile = 222;         // "&Make INI file"
inline constexpr int kTextReplacementImage = 223;    // "Replacement image when no image found"
inline constexpr int kTextCheckingImages = 224;      // "Checking images"
inline constexpr int kTextAvailableRoms = 225;       // "Available roms"
inline constexpr int kTextUnavailableRoms = 226;     // "Unavailable roms"
inline constexpr int kTextCannotOpenDatabase = 229;  // "Can't open database."
inline constexpr int kTextDatabaseCreated = 230;     // "Database created."
inline constexpr int kTextDelete = 231;              // "&Delete"
inline constexpr int kTextMove = 232;                // "&Move"
inline constexpr int kTextCopy = 233;                // "&Copy"
inline constexpr int kTextCopyingArchives = 242;     // "Copying"
inline constexpr int kTextBackupBeforeDeleting = 243;  // "Backup before deleting a rom"
inline constexpr int kTextBackupFolder = 244;          // "Do a backup in this folder :"
inline constexpr int kTextSourcePath = 245;            // "Source path"
inline constexpr int kTextDestinationPath = 246;       // "Destination path"
inline constexpr int kTextZipping = 247;               // "Zipping..."
inline constexpr int kTextZipAllDeleting = 248;        // "Deleting..."
inline constexpr int kTextZipAllUnzipping = 249;       // "Unzipping..."
inline constexpr int kTextZipAllHelp =
    250;  // "This option zips all the sub-folder roms of a folder. You..."
inline constexpr int kTextDeleteWhenDone = 251;  // "Delete when operation done"
inline constexpr int kTextZipAll = 252;          // "&Zip all"
inline constexpr int kTextUnzipAll = 253;        // "&Unzip all"
inline constexpr int kTextConfirmDeleteImages =
    254;  // "Do you confirm that images without available rom should b..."
inline constexpr int kTextImagesWindow = 255;            // "Images"
inline constexpr int kTextDeleteImagesWithoutRom = 256;  // "&Delete images without rom"
inline constexpr int kTextCopyImagesWithRom =
    257;  // "&Copy images that have rom from the source folder"
inline constexpr int kTextImagesSourceFolder = 258;  // "Source folder of images to be copied"
inline constexpr int kTextZipUnzip = 259;            // "&Zip and Unzip"
inline constexpr int kTextRetrieveOldNotes =
    261;  // "If you wrote notes with an older version|Arcanote can ret..."
inline constexpr int kTextNotesNeedDatabase =
    262;  // "Can't open database. Select or create a database before w..."
inline constexpr int kTextNoNotesFile =
    263;  // "The file NOTES.TXT doesn't exist. Please, write a note fi..."
inline constexpr int kTextXmlMethod = 264;         // "XML analysis method"
inline constexpr int kTextFastMethod = 265;        // "Arcanote (better, faster)"
inline constexpr int kTextDocumentMethod = 266;    // "Older méthod (slower)"
inline constexpr int kTextForcedFastMethod = 267;  // "Forced Arcanote method"

// 340-359: the collection's tasks.
inline constexpr int kTextSetsAdded = 340;          // " set(s) added to the owned ones."
inline constexpr int kTextSetsNoLongerFound = 341;  // " set(s) no longer found, no longer owned."
inline constexpr int kTextArchivesNotFound = 342;   // " archive(s) not found in the ROM folder "
inline constexpr int kTextSourcesKept =
    343;  // "These sources were kept because the operation fail"
inline constexpr int kTextOperationFailedFor = 344;  // "The operation failed for:"
inline constexpr int kTextPackerMissing =
    345;  // "The packer myzip is not installed beside the progr"
inline constexpr int kTextDatabaseUnreadable = 346;  // "This database cannot be read: "
inline constexpr int kTextDestinationIsRomFolder =
    347;  // "The destination folder is the ROM folder itself."
inline constexpr int kTextNoRomInRomFolder = 348;  // "No ROM was found in the ROM folder:"
inline constexpr int kTextArchivesKeptDelete =
    349;  // "These archives were kept because their backup or t"
inline constexpr int kTextArchivesKeptMove =
    350;  // "These archives were kept in the ROM folder because"
inline constexpr int kTextArchivesNotCopied = 351;  // "These archives could not be copied:"
inline constexpr int kTextNoSuchFolder = 352;       // "No such folder: "

// Archive, download, translation and wizard messages (380-399); "%1", "%2"
// are filled by TextWith.
inline constexpr int kTextZipArchiveMissing = 380;
inline constexpr int kTextZipNotZip = 381;
inline constexpr int kTextZipNoArchiveOpen = 382;
inline constexpr int kTextZipUnsupportedMethod = 383;
inline constexpr int kTextZipChecksum = 384;
inline constexpr int kTextZipTargetExists = 385;
inline constexpr int kTextZipCannotReplace = 386;
inline constexpr int kTextZipCannotCreateFolder = 387;
inline constexpr int kTextZipUnsafeName = 388;
inline constexpr int kTextZipDamagedDirectory = 389;
inline constexpr int kTextZipUnreadableData = 390;
inline constexpr int kTextZipCannotWrite = 391;
inline constexpr int kTextEmptyAddress = 392;
inline constexpr int kTextTranslatedFiles = 393;
inline constexpr int kTextNothingTranslated = 394;
inline constexpr int kTextTranslationFailed = 395;
inline constexpr int kTextStepCancelled = 396;
inline constexpr int kTextStepNotDone = 397;
inline constexpr int kTextStepWindowClosed = 398;
inline constexpr int kTextZipCannotRead = 399;

// 420-449: software lists.
inline constexpr int kTextSoftwareListsBox =
    420;  // "Software lists (consoles, computers, handhelds)"
inline constexpr int kTextSoftwareOwned = 421;
inline constexpr int kTextSoftwareBrowserMenu = 422;  // "&Software browser"

// 450-479: the user's own data and full-text search; "%1", "%2" are filled by TextWith.
inline constexpr int kTextNoFullTextIndex = 450;
inline constexpr int kTextInHistoryTexts = 451;
inline constexpr int kTextFavouritesOnly = 452;
inline constexpr int kTextYearsFrom = 453;
inline constexpr int kTextYearsTo = 454;
inline constexpr int kTextFavouritesWritten = 455;
inline constexpr int kTextNotAGameOf = 456;

// 500-649: desktop captions.
inline constexpr int kTextGameBrowserMenu = 500;  // "&Game browser"
inline constexpr int kTextGamesTitle = 501;
inline constexpr int kTextNoteNotSaved = 502;
inline constexpr int kTextTitleOrSetName = 503;
inline constexpr int kTextFullTextTip = 504;
inline constexpr int kTextDetailsTab = 505;
inline constexpr int kTextHistoryTab = 506;
inline constexpr int kTextCommandsTab = 507;
inline constexpr int kTextSaveNote = 508;
inline constexpr int kTextNoteTab = 509;
inline constexpr int kTextPlay = 510;
inline constexpr int kTextSheet = 511;
inline constexpr int kTextNoDatabaseSet = 512;
inline constexpr int kTextGameCount = 513;
inline constexpr int kTextGamesShownOf = 514;
inline constexpr int kTextPlayWithOptionsTitle = 515;
inline constexpr int kTextEmulatorArguments = 516;
inline constexpr int kTextPlayWithOptions = 517;
inline constexpr int kTextFavourite = 518;
inline constexpr int kTextOpenRomFolder = 519;
inline constexpr int kTextCopySetName = 520;
inline constexpr int kTextOwnedOnly = 521;
inline constexpr int kTextWorkingOnly = 522;
inline constexpr int kTextNoClones = 523;
inline constexpr int kTextNoMature = 524;
inline constexpr int kTextFavouritesBox = 525;
inline constexpr int kTextRecentlyPlayed = 526;
inline constexpr int kTextInTheTexts = 527;
inline constexpr int kTextYearFrom = 528;
inline constexpr int kTextYearTo = 529;
inline constexpr int kTextYes = 530;
inline constexpr int kTextSoftwareTitle = 531;
inline constexpr int kTextSoftwareFilter = 532;
inline constexpr int kTextAllLists = 533;
inline constexpr int kTextNoSoftwareLists = 534;
inline constexpr int kTextCloneOfItem = 535;
inline constexpr int kTextParts = 536;
inline constexpr int kTextNotes = 537;
inline constexpr int kTextMachines = 538;
inline constexpr int kTextNo = 539;
inline constexpr int kTextNoSuchDatabaseFile = 540;
inline constexpr int kTextDriverWorking = 541;
inline constexpr int kTextDriverImperfect = 542;
inline constexpr int kTextDriverNotWorking = 543;
inline constexpr int kTextAudit = 544;
inline constexpr int kTextSoftwareLists = 545;
inline constexpr int kTextNoEmulatorOnPath = 546;
inline constexpr int kTextEmulatorCannotRun = 547;
inline constexpr int kTextChooseEmulator = 548;
inline constexpr int kTextEmulatorNotStarted = 549;
inline constexpr int kTextEmulatorStoppedWithError = 550;
inline constexpr int kTextNoSheetPageFor = 551;
inline constexpr int kTextMakeSheetsNow = 552;
inline constexpr int kTextSetColumn = 553;
inline constexpr int kTextTitle = 554;
inline constexpr int kTextYear = 555;
inline constexpr int kTextManufacturer = 556;
inline constexpr int kTextCategoryCaption = 557;
inline constexpr int kTextPlayers = 558;
inline constexpr int kTextStatus = 559;
inline constexpr int kTextOwned = 560;
inline constexpr int kTextFavouriteMark = 561;
inline constexpr int kTextLastPlayed = 562;
inline constexpr int kTextPlays = 563;
inline constexpr int kTextTimePlayed = 564;
inline constexpr int kTextSetName = 565;
inline constexpr int kTextGenre = 566;
inline constexpr int kTextControls = 567;
inline constexpr int kTextButtons = 568;
inline constexpr int kTextScreen = 569;
inline constexpr int kTextOrientation = 570;
inline constexpr int kTextResolution = 571;
inline constexpr int kTextAspect = 572;
inline constexpr int kTextRefreshRate = 573;
inline constexpr int kTextColours = 574;
inline constexpr int kTextSoundChannels = 575;
inline constexpr int kTextDriver = 576;
inline constexpr int kTextEmulation = 577;
inline constexpr int kTextGraphics = 578;
inline constexpr int kTextSound = 579;
inline constexpr int kTextColourEmulation = 580;
inline constexpr int kTextCocktail = 581;
inline constexpr int kTextProtection = 582;
inline constexpr int kTextCloneOf = 583;
inline constexpr int kTextRomsOf = 584;
inline constexpr int kTextSamplesOf = 585;
inline constexpr int kTextBios = 586;
inline constexpr int kTextAddedInVersion = 587;
inline constexpr int kTextCheats = 588;
inline constexpr int kTextHighScores = 589;
inline constexpr int kTextMature = 590;
inline constexpr int kTextMyNotes = 591;
inline constexpr int kTextName = 592;
inline constexpr int kTextPublisher = 593;
inline constexpr int kTextSupported = 594;
inline constexpr int kTextVerdict = 595;
inline constexpr int kTextCreatingDictionary = 596;

}  // namespace arc
