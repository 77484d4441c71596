#pragma once
// Prepared updates of one Data field by set name. Names and values are bound,
// never written into the statement text, so any character in them is safe.

#include <string_view>

#include "database/Database.h"

namespace arc {

/// "UPDATE Data SET <field>=? WHERE InternalName=?", prepared once.
class DataFieldUpdate {
  public:
    explicit DataFieldUpdate(std::string_view field);
    /// Writes the value into the set's field (a set absent from Data is no error).
    void Run(std::string_view name, std::string_view value);

  private:
    Statement statement_;
};

/// "UPDATE Data SET <field>=TRUE WHERE InternalName=?", prepared once.
class DataFlagUpdate {
  public:
    explicit DataFlagUpdate(std::string_view field);
    void Run(std::string_view name);

  private:
    Statement statement_;
};

}  // namespace arc
