#pragma once
// Support files of real size for the benchmarks, written from a list of set
// names: History, Mameinfo, Command and one line per set for every INI file.

#include <fstream>
#include <string>
#include <vector>

#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextTable.h"

namespace arc::bench {

/// `home` (with its trailing slash) as the program folder, with the default
/// settings and texts; no folder of the settings holds a support file, so a
/// build reads only the program folder's own.
inline void UseBenchHome(const std::string& home) {
    SetProgramFolder(home);
    TheSettings() = DefaultSettings();
    BuildTextTable();
    for (std::string& path : TheSettings().DataFilePaths)
        path = home + "none";
}

/// The set names of a listxml, read line by line (`<machine name="...`).
inline std::vector<std::string> SetNamesOf(const std::string& listxml) {
    std::vector<std::string> names;
    std::ifstream in(listxml);
    std::string line;
    const std::string marker = "<machine name=\"";
    while (std::getline(in, line)) {
        const std::size_t at = line.find(marker);
        if (at == std::string::npos) continue;
        const std::size_t start = at + marker.size();
        names.push_back(line.substr(start, line.find('"', start) - start));
    }
    return names;
}

inline const std::string& NameAt(const std::vector<std::string>& names, std::size_t i) {
    return names[i % names.size()];
}

inline void WriteHistory(const std::string& path, const std::vector<std::string>& names,
                         int entries) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < entries; ++i) {
        out << "$info=" << NameAt(names, 2 * i) << ',' << NameAt(names, 2 * i + 1) << ",\r\n"
            << "$bio\r\n\r\nGame number " << i << " (c) 1990 Maker " << i % 97 << ".\r\n\r\n"
            << "A description of the game that runs over a few lines, as the real file's\r\n"
            << "descriptions do, with enough words to weigh what a real entry weighs.\r\n"
            << "\r\n- TECHNICAL -\r\n\r\nMain CPU : Motorola 68000 (@ 12 MHz)\r\n"
            << "Sound Chips : Yamaha YM2151 (@ 3.579545 MHz)\r\n\r\n"
            << "Screen orientation : Horizontal\r\nVideo resolution : 320 x 224 pixels\r\n"
            << "Screen refresh : 60.00 Hz\r\nPalette colors : 4096\r\n\r\nPlayers : 2\r\n"
            << "Control : 8-way joystick\r\nButtons : 3\r\n\r\n- TRIVIA -\r\n\r\n"
            << "Some trivia about the game, its makers and its release.\r\n"
            << "- a list item\r\nMore trivia.\r\n\r\n- SERIES -\r\n\r\nFirst game\r\n"
            << "Second game\r\n\r\n- SOURCES -\r\n\r\nA magazine, page " << i % 200
            << ".\r\n\r\n$end\r\n\r\n";
    }
}

inline void WriteMameinfo(const std::string& path, const std::vector<std::string>& names,
                          int entries) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < entries; ++i) {
        out << "$info=" << NameAt(names, i) << "\r\n$mame\r\nAdded in build " << i % 250
            << ".\r\n\r\nWIP:\r\n- 0.250: a fix for the game's sound.\r\n"
            << "- 0.240: it's now playable.\r\n\r\nRecommended Games:\r\nAnother game\r\n"
            << "$end\r\n\r\n";
    }
}

inline void WriteCommand(const std::string& path, const std::vector<std::string>& names,
                         int entries) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < entries; ++i) {
        out << "$info=" << NameAt(names, i) << "\r\n$cmd\r\n[Moves]\r\n"
            << "\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\r\n"
            << "Fireball : down, forward + punch\r\nUppercut : forward, down + punch\r\n"
            << "[Throws]\r\nThrow : close + punch\r\n$end\r\n\r\n";
    }
}

/// "[header]" then one "name=value" line per set.
inline void WriteKeyList(const std::string& path, const std::vector<std::string>& names,
                         const std::string& header) {
    std::ofstream out(path, std::ios::binary);
    out << ";; synthetic\r\n\r\n[" << header << "]\r\n";
    for (std::size_t i = 0; i < names.size(); ++i)
        out << names[i] << '=' << "Value " << i % 40 << "\r\n";
}

/// Lines that begin with a set name and ":" (Cheat.dat and Hiscore.dat),
/// `perSet` lines for each set.
inline void WriteColonList(const std::string& path, const std::vector<std::string>& names,
                           int perSet) {
    std::ofstream out(path, std::ios::binary);
    out << "; synthetic\r\n\r\n";
    for (const std::string& name : names)
        for (int i = 0; i < perSet; ++i)
            out << name << ":0:4e0f:0" << i << ":000:Line\r\n";
}

/// One section per 40 values, one set name per line.
inline void WriteSectionList(const std::string& path, const std::vector<std::string>& names) {
    std::ofstream out(path, std::ios::binary);
    out << "[FOLDER_SETTINGS]\r\nRootFolderIcon mame\r\n\r\n[ROOT_FOLDER]\r\n\r\n";
    for (int section = 0; section < 40; ++section) {
        out << "[Value " << section << "]\r\n";
        for (std::size_t i = section; i < names.size(); i += 40)
            out << names[i] << "\r\n";
        out << "\r\n";
    }
}

inline void WriteCatver(const std::string& path, const std::vector<std::string>& names) {
    std::ofstream out(path, std::ios::binary);
    out << ";; synthetic\r\n\r\n[Category]\r\n";
    for (std::size_t i = 0; i < names.size(); ++i)
        out << names[i] << "=Category " << i % 60 << " / Sub\r\n";
    out << "\r\n[VerAdded]\r\n";
    for (std::size_t i = 0; i < names.size(); ++i)
        out << names[i] << "=." << i % 250 << "\r\n";
}

}  // namespace arc::bench
