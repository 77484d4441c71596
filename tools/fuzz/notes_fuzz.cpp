// libFuzzer target for NOTES.TXT: its header scanners on every line, then the
// copy of its notes into a fresh database holding a few sets.

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "notes/Notes.h"
#include "notes/NotesFile.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzz::ResetForInput();
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (IsNoteHeader(line)) (void)NoteHeaderName(line);
        (void)IsStorableNote(line);
        start = end + 1;
    }
    const std::string path = fuzz::WriteInput("NOTES.TXT", text);
    (void)ReadOldNoteFile(path);
    fuzz::OpenFreshDatabase({"pacman", "puckman", "galaga", "dkong"});
    TaskProgress progress;
    TaskContext context(progress, Ui());
    (void)RunNotesCopy({.notesFile = path, .inBuild = true}, context);
    fuzz::CloseFreshDatabase();
    return 0;
}
