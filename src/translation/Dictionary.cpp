#include "translation/Dictionary.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Task.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/Version.h"

namespace arc {
namespace {

constexpr int kProcCreateDictionary = 850;
constexpr int kProcLoadSection = 851;

constexpr std::array<std::string_view, 8> kSkippedValueSections = {
    "[FILEINFO]", "[VERADDED]", "[DRIVER]", "[RESOLUTION]",
    "[SET]",      "[YEAR]",     "[BIOS]",   "[MANUFACTURER]"};

constexpr std::array<std::string_view, 44> kHistoryExamples = {
    "Game ID : = ID du jeu :",
    "Main Board Number : = Numéro Carte Principale :",
    "Rom Board Number : = Numéro de la carte Rom :",
    "Prom Stickers : = Stickers de la Prom :",
    "Main CPU : = CPU Principal :",
    "Sound CPU : = CPU Sonore :",
    "Sound Chips : = Chips sonore :",
    "Main Board : = Carte Principale :",
    "Sound Board : = Carte Son :",
    "Video Board : = Carte Vidéo :",
    "Screen orientation : = Orientation écran :",
    "Video resolution : = Résolution vidéo :",
    "Aspect Ratio : = Ratio d'Aspect :",
    "Screen refresh : = Taux de rafraichissement :",
    "Palette Colors : = Palette de Couleurs :",
    "Players : = Joueurs :",
    "Buttons : = Boutons :",
    "8-way joystick = Joystick 8 dir.",
    "4-way joystick = Joystick 4 dir.",
    "2-way joystick = Joystick 2 dir.",
    "Joystick 2-way = Joystick 2 dir.",
    "Director : = Directeur :",
    "Programmer : = Programmeur :",
    "Character designers : = Designers personnages :",
    "Music and sound effects : = Musique et effets sonores :",
    "Producer: = Producteur:",
    "Music & SFX: = Musique & Effets:",
    "Additional music: = Musique additionnelle:",
    "Programming: = Programmation:",
    "Game designers : = Designers du jeu :",
    "Program designers : = Designers du programme :",
    "Scroll designers : = Designers du scrolling :",
    "Object designers : = Designers des objets :",
    "Music composers : = Compositeurs :",
    "Sound designers : = Designers sonores :",
    "depending of the event... = suivant l'épreuve...",
    "100m Dash : = 100m :",
    "Long Jump : = Saut en longueur :",
    "400m Relay : = Relai 400m :",
    "Skeet Shooting : = Ball-trap :",
    "110m Hurdles : = 110m Haies :",
    "Archery : = Tir à l'Arc :",
    "Javelin Throw : = Lancé du Javelot :",
    "High Jump : = Saut en Hauteur :",
};

/// The defined file when it exists, else the program's own copy.
std::string SourceFilePath(const SupportFileRow& source, const DataFilePathList& dataFilePaths) {
    const std::string& defined = dataFilePaths[source.slot];
    if (!defined.empty() && FileExists(defined)) return defined;
    return OwnSupportFilePath(source.file);
}

void CollectFrom(const SupportFileRow& source, const DataFilePathList& dataFilePaths,
                 std::vector<std::string>& names) {
    const std::string path = SourceFilePath(source, dataFilePaths);
    if (!FileExists(path)) return;
    LineReader reader(path);
    std::string line;
    std::string section;
    while (reader.Next(line)) {
        const std::string_view text = Trim(line);
        if (source.translation.names == DictionaryNames::SectionNames) {
            if (text.find('[') == std::string_view::npos) continue;
            if (text == "[ROOT_FOLDER]" || text == "[FOLDER_SETTINGS]") continue;
            if (text.size() < 3) continue;
            const std::string_view name = Trim(text.substr(1, text.size() - 2));
            if (!name.empty()) names.push_back(std::string(name) + " = ");
        } else {
            if (text.starts_with('[')) {
                section = ToUpperAscii(text);
                continue;
            }
            if (std::find(kSkippedValueSections.begin(), kSkippedValueSections.end(), section) !=
                kSkippedValueSections.end())
                continue;
            const std::size_t equals = text.find('=');
            if (equals == std::string_view::npos) continue;
            const std::string_view value = Trim(text.substr(equals + 1));
            if (!value.empty()) names.push_back(std::string(value) + " = ");
        }
    }
}

/// Collects from every file of the catalogue that the section translates.
void CollectSection(std::string_view section, const DataFilePathList& dataFilePaths,
                    std::vector<std::string>& names) {
    for (const SupportFileRow& row : kSupportFileCatalogue)
        if (row.translation.section == section && row.translation.names != DictionaryNames::None)
            CollectFrom(row, dataFilePaths, names);
}

void AppendSorted(std::vector<std::string> names, std::vector<std::string>& lines) {
    // Ascending by byte value: "B" before "a", accented letters last.
    std::sort(names.begin(), names.end());
    const std::string* previous = nullptr;
    for (const std::string& name : names) {
        if (previous && *previous == name) continue;
        lines.push_back(name);
        previous = &name;
    }
}

}  // namespace

std::string DictionaryPath() {
    return InProgramFolder("TRANSLATE.DIC.txt");
}

std::vector<std::string> DictionaryLines(const DataFilePathList& dataFilePaths) {
    std::vector<std::string> lines = {";",
                                      "; Arcanote " + SplashVersionLabel(),
                                      "; Dictionnaire de traduction",
                                      ";",
                                      "; Tapez le mot à traduire suivi de = et du mot traduit.",
                                      "; Exemple :",
                                      "; book = livre",
                                      ";",
                                      ""};

    lines.push_back("[WIZ]");
    lines.push_back("; Traduction des fichiers Catlist.ini, Genre.ini, Catver.ini et Wizsort.ini");
    std::vector<std::string> names;
    names.reserve(100);
    CollectSection("[WIZ]", dataFilePaths, names);
    AppendSorted(std::move(names), lines);
    lines.emplace_back();

    lines.push_back("[PLAYERS]");
    lines.push_back("; Traduction des fichiers Multiplayer.ini et Nplayers.ini");
    names.clear();
    CollectSection("[PLAYERS]", dataFilePaths, names);
    AppendSorted(std::move(names), lines);
    lines.emplace_back();

    lines.push_back("[HISTORY]");
    lines.push_back("; Traductions pour le fichier History.dat - exemples :");
    for (std::string_view example : kHistoryExamples)
        lines.emplace_back(example);
    lines.emplace_back();

    lines.push_back("[MAMEINFO]");
    lines.push_back("; Traductions pour le fichier Mameinfo.dat");
    return lines;
}

DictionaryRequest DictionaryRequestFor(const DataFilePathList& dataFilePaths) {
    return {DictionaryPath(), dataFilePaths};
}

DictionaryOutcome RunDictionary(const DictionaryRequest& request, TaskContext& context) {
    context.progress().SetLabel(Text(kTextCreatingDictionary));
    const std::optional<std::string> error = GuardedFailure(kProcCreateDictionary, [&] {
        if (!WriteTextLines(request.path, DictionaryLines(request.dataFilePaths)))
            throw AppError(err::kPathFileAccess, "Cannot write " + request.path);
    });
    return error ? Outcome::Failure(*error) : Outcome::Success();
}

bool EnsureDictionary(const DictionaryRequest& request) {
    if (!FileExists(request.path)) {
        RunShown([&](TaskContext& context) { return RunDictionary(request, context); },
                 {.window = true, .menusOff = false});
    }
    return FileExists(request.path);
}

SectionTable SectionFromLines(const std::vector<std::string>& lines, std::string_view header) {
    SectionTable table;
    auto it = std::find_if(lines.begin(), lines.end(),
                           [&](const std::string& line) { return Trim(line) == header; });
    if (it == lines.end()) return table;

    std::vector<std::string_view> kept;
    for (++it; it != lines.end(); ++it) {
        const std::string_view line = Trim(*it);
        if (line.starts_with('[') && line.ends_with(']')) break;
        if (line.empty() || line.front() == ';') continue;
        if (line.find('=') == std::string_view::npos || line.back() == '=') continue;
        kept.push_back(line);
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
    table.reserve(kept.size());
    for (std::string_view line : kept) {
        const std::size_t equals = line.find('=');
        table.push_back({std::string(Trim(line.substr(0, equals))),
                         std::string(Trim(line.substr(equals + 1)))});
    }
    return table;
}

SectionTable LoadSection(std::string_view header, std::string_view path) {
    SectionTable table;
    Guarded(kProcLoadSection, [&] {
        const std::string source = path.empty() ? DictionaryPath() : std::string(path);
        std::vector<std::string> lines;
        if (!FileExists(source) || !ReadTextLines(source, lines)) return;
        table = SectionFromLines(lines, header);
    });
    return table;
}

}  // namespace arc
