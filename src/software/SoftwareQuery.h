#pragma once
// Reading the imported software lists: the lists, and the items that match a
// filter (the database open).

#include <string>
#include <vector>

namespace arc {

struct SoftwareListRow {
    std::string name;
    std::string description;
    int items = 0;
    int owned = 0;
};

/// Every imported list, by name.
std::vector<SoftwareListRow> SoftwareLists();

struct SoftwareFilter {
    std::string list;                ///< only this list ("": every list)
    std::vector<std::string> words;  ///< each in the name, title or publisher
    bool owned = false;              ///< only the items the user owns
    bool supported = false;          ///< only the items the emulator supports fully
};

struct SoftwareRow {
    std::string list;
    std::string name;
    std::string cloneOf;
    std::string description;
    std::string year;
    std::string publisher;
    std::string supported;
    bool owned = false;
};

/// The items that match, by list and name.
std::vector<SoftwareRow> FindSoftware(const SoftwareFilter& filter);

/// The machines that name the list, with the link's status and filter.
struct SoftwareListLink {
    std::string machine;
    std::string status;
    std::string filter;
};
std::vector<SoftwareListLink> MachinesOfList(const std::string& list);

}  // namespace arc
