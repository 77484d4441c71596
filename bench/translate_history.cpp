// Translation speed: a generated History.dat of about 30 MB translated with a
// table of the 44 history examples plus 2,000 category entries.
//
//   build/bench/translate_history [size-in-MB]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/ProgramFolder.h"
#include "core/TextFile.h"
#include "translation/Dictionary.h"
#include "translation/FileTranslation.h"
#include "translation/LineTranslator.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

std::string Word(std::mt19937& random) {
    static const char* const kWords[] = {
        "the",   "game",  "player", "arcade", "released", "Japan",  "version", "stage",
        "enemy", "bonus", "points", "ship",   "board",    "maze",   "Namco",   "Konami",
        "in",    "of",    "and",    "to",     "with",     "screen", "level",   "boss"};
    return kWords[random() % (sizeof kWords / sizeof *kWords)];
}

void GenerateHistory(const std::string& path, std::size_t bytes) {
    static const char* const kFacts[] = {"Main CPU : Z80 (@ 3.072 Mhz)",
                                         "Sound CPU : Z80 (@ 3.072 Mhz)",
                                         "Sound Chips : Namco 3-channel WSG",
                                         "Screen orientation : Vertical",
                                         "Video resolution : 224 x 288",
                                         "Players : 2",
                                         "Buttons : 1",
                                         "Control : 4-way joystick",
                                         "Game ID : PM1",
                                         "Music composers : Toshio Kai"};
    std::mt19937 random(42);
    std::ofstream out(path, std::ios::binary);
    std::size_t written = 0;
    int game = 0;
    while (written < bytes) {
        std::string block = "$info=game" + std::to_string(game++) + ",\r\n$bio\r\n\r\n";
        for (int line = 0; line < 12; ++line) {
            std::string text;
            const int words = 6 + static_cast<int>(random() % 14);
            for (int w = 0; w < words; ++w)
                text += (w ? " " : "") + Word(random);
            block += text + ".\r\n";
        }
        block += "\r\n- TECHNICAL -\r\n\r\n";
        for (const char* fact : kFacts)
            block += std::string(fact) + "\r\n";
        block += "\r\n$end\r\n";
        out << block;
        written += block.size();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 30;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "arcanote-bench-translate";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    arc::SetProgramFolder(folder.string());

    // The 44 examples come from a new dictionary's lines; 2,000 category
    // entries are added to the same section.
    arc::SectionTable table = arc::SectionFromLines(arc::DictionaryLines({}), "[HISTORY]");
    for (int i = 0; i < 2000; ++i)
        table.push_back(
            {"Category " + std::to_string(i) + " / Sub", "Catégorie " + std::to_string(i)});
    const arc::LineTranslator translator(table);

    const std::string history = (folder / "History.dat").string();
    GenerateHistory(history, megabytes * 1024 * 1024);
    const auto size = std::filesystem::file_size(history);

    const auto start = Clock::now();
    const arc::TranslateOutcome outcome = arc::TranslateFile(history, translator);
    const double seconds = Seconds(Clock::now() - start);

    // The same lines translated entry by entry (the table scanned for every
    // line), on the first 2 MB only, for comparison.
    arc::LineReader reader((folder / "History.ORIGINAL.dat").string());
    std::string line;
    std::size_t sample = 0;
    std::size_t changed = 0;
    const auto naiveStart = Clock::now();
    while (sample < 2 * 1024 * 1024 && reader.Next(line)) {
        sample += line.size() + 2;
        std::string text = line;
        for (const arc::TranslationPair& pair : translator.table()) {
            for (std::size_t at = text.find(pair.source); at != std::string::npos;
                 at = text.find(pair.source, at + pair.translation.size()))
                text.replace(at, pair.source.size(), pair.translation);
        }
        changed += text != line;
    }
    const double naive = Seconds(Clock::now() - naiveStart);

    std::printf("History.dat: %.1f MB, table: %zu entries\n", size / 1048576.0,
                translator.table().size());
    std::printf("translate: %.2f s (%.1f MB/s)%s\n", seconds, size / 1048576.0 / seconds,
                outcome == arc::TranslateOutcome::Translated ? "" : "  FAILED");
    std::printf("entry-by-entry scan of every line, first %.1f MB: %.2f s (%zu lines changed)\n",
                sample / 1048576.0, naive, changed);
    std::filesystem::remove_all(folder);
    return outcome == arc::TranslateOutcome::Translated ? 0 : 1;
}
