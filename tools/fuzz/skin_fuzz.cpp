// Fuzz target for skins: with an even first byte the rest is a game page
// template, with an odd one a ".skin.zip" whose rom.htm becomes the template.
// A template fills to the same page in one pass as by sequential replacement.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "core/Log.h"
#include "sheets/GamePageTemplate.h"
#include "sheets/SheetRun.h"
#include "sheets/SheetSkin.h"
#include "sheets/SheetTemplates.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return -1;
    fuzz::ResetForInput();
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] % 2) {
        const std::string archive = fuzz::WriteInput("skins/x.skin.zip", text);
        if (!IsSkinArchive(archive)) std::abort();
        const std::string tempFolder =
            std::filesystem::path(fuzz::WriteInput("temp/.keep", "")).parent_path().string() + "/";
        const SkinFolder skin = ResolveSkin("x", archive, tempFolder);
        SheetRun run;
        run.skinFolder = skin.folder;
        run.htmlFolder = std::filesystem::path(fuzz::WriteInput("site/html/.keep", ""))
                             .parent_path()
                             .parent_path()
                             .string() +
                         "/";
        text = LoadListTemplate(run, "rom.htm", "rom.css", DefaultGamePageTemplate(data[0] & 2));
        (void)LoadListTemplate(run, "list.htm", "list.css", DefaultLetterListTemplate());
        std::error_code ec;
        std::filesystem::remove_all(skin.folder, ec);
    }
    const GamePageTemplate page(text);
    // Values that hold markers and marker prefixes test the replacement order.
    MarkerValues values;
    for (int i = 0; i < kMarkerCount; ++i)
        values[static_cast<std::size_t>(i)] =
            i % 3 == 0 ? std::string(MarkerText(static_cast<Marker>((i + 1) % kMarkerCount)))
                       : "v" + std::to_string(i) + (i % 3 == 1 ? "#" : "");
    std::string onePass;
    std::string sequential;
    page.Fill(values, onePass);
    page.FillSequentially(values, sequential);
    if (onePass != sequential) std::abort();
    return 0;
}
