#include "importers/DataUpdate.h"

#include <string>

namespace arc {

DataFieldUpdate::DataFieldUpdate(std::string_view field)
    : statement_("UPDATE Data SET " + std::string(field) + "=? WHERE InternalName=?") {}

void DataFieldUpdate::Run(std::string_view name, std::string_view value) {
    statement_.Bind(1, value).Bind(2, name);
    statement_.Run();
}

DataFlagUpdate::DataFlagUpdate(std::string_view field)
    : statement_("UPDATE Data SET " + std::string(field) + "=TRUE WHERE InternalName=?") {}

void DataFlagUpdate::Run(std::string_view name) {
    statement_.Bind(1, name);
    statement_.Run();
}

}  // namespace arc
