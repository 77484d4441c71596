#include "core/ProgramFolder.h"

namespace arc {
namespace {

std::string& Folder() {
    static std::string folder = "./";
    return folder;
}

}  // namespace

const std::string& ProgramFolder() {
    return Folder();
}

void SetProgramFolder(std::string_view folder) {
    std::string value(folder);
    if (value.empty()) value = ".";
    if (value.back() != '/') value += '/';
    Folder() = std::move(value);
}

std::string InProgramFolder(std::string_view name) {
    return ProgramFolder() + std::string(name);
}

}  // namespace arc
