#pragma once
// What a software item needs, from the software tables: its ROMs and disks,
// found in its own set and then in its parent's (the clone's parent in the
// same list).

#include <string>

#include "audit/SetNeeds.h"

namespace arc {

class SoftwareNeedsReader : public NeedsSource {
  public:
    explicit SoftwareNeedsReader(std::string list);
    SetNeeds Read(std::string_view item, std::optional<std::string_view> cloneOf = {}) override;
    CloneRoms ReadCloneRoms(std::string_view item) override;
    bool KnowsDevices() const override { return true; }
    const std::vector<std::string>& DevicesOf(std::string_view) const override { return none_; }

  private:
    std::string list_;
    Statement parent_, roms_, cloneRoms_;
    std::vector<std::string> none_;
};

}  // namespace arc
