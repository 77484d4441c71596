#pragma once
// The sheet window's state and commands, without widgets: captions, check
// boxes, destination, skin list, and Make.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/SheetRun.h"
#include "sheets/SheetsTask.h"

namespace arc {

class SheetWindowState {
  public:
    // Captions (set by Load from the text table).
    std::string caption;                        ///< the window
    std::string frame1;                         ///< Frame1
    std::array<std::string, 9> check1Captions;  ///< indexes 0, 1 and 8 are used
    std::array<std::string, 7> check2Captions;
    std::string check3Caption, check4Caption;
    std::string command2Caption, command3Caption;

    // Controls.
    std::array<bool, 9> check1{};  ///< indexes 0, 1 and 8 are used
    std::array<bool, 7> check2{};
    bool check3 = false;
    bool check4 = false;
    std::string text1;                   ///< destination folder
    std::vector<std::string> combo1;     ///< skin names
    int combo1Index = -1;                ///< selected skin, -1 without skins
    std::vector<std::string> skinPaths;  ///< full path of each combo item

    bool visible = true;
    bool focusText1 = false;  ///< Make found no destination
    bool unloadRequested = false;
    /// Opened as a step of the wizard: Make asks nothing, tells nothing and
    /// asks the window to close after its run.
    bool inWizard = false;
    int left = 0, top = 0;  ///< window position (saved units); 0: not placed
    /// Told when a run hides (false) and shows (true) the window.
    std::function<void(bool)> showWindow;

    /// The control-array indexes of Check1.
    static constexpr std::array<int, 3> kCheck1Indexes = {0, 1, 8};

    /// Captions, boxes from SheetOptions, Text1 from HtmlFolder, the skins,
    /// then the folder chooser (unless `chooseFolder` is false), then the
    /// saved position of window 3.
    void Load(bool chooseFolder = true);
    /// Saves position, boxes, skin and settings.
    void Unload();
    /// Command1: the folder chooser.
    void ChooseSheetFolder();
    /// Combo1 from the "*.skin" folders and "*.skin.zip" archives of html/.
    void FillSkinList();
    /// The selected skin's name ("" without skins).
    std::string ComboText() const;
    /// Selects the skin named `name` (without regard to case); false when absent.
    bool SelectSkin(std::string_view name);

    /// Command2 (Make): database question (not in the wizard; cancelling it
    /// stops here), then the run. Nothing runs without a destination.
    SheetsOutcome Make();
    /// Make without the database question (the wizard).
    SheetsOutcome MakeWithoutQuestions();

    /// The nine boxes of the selection and copies as the run reads them
    /// (logged when logging is on); Check2(6), Check3 and Check4 included.
    SheetChoices ReadSheetOptions() const;
    /// The run the controls ask for, with the settings' database and art
    /// folders and the temporary folder found now.
    SheetsRequest BuildRequest() const;

  private:
    SheetsOutcome Run();
};

}  // namespace arc
