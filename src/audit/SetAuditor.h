#pragma once
// The audit of one set against the files of the ROM folder.

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "audit/Audit.h"
#include "audit/SetFiles.h"
#include "audit/SetNeeds.h"

namespace arc {

class SetAuditor {
  public:
    /// Audits the machines of the game database.
    SetAuditor(const RomFolder& folder, bool full);
    /// Audits the sets that `needs` describes.
    SetAuditor(const RomFolder& folder, bool full, std::unique_ptr<NeedsSource> needs);
    /// The set must be owned (RomFolder::Owns); `romOf` as NeedsReader::Read.
    SetAudit Audit(std::string_view set, std::optional<std::string_view> romOf = {});
    bool KnowsDevices() const { return needs_->KnowsDevices(); }
    /// Reads of the sets' files end early once `stop` says so; the result of
    /// the set being audited then is to be dropped.
    void StopWhen(std::function<bool()> stop) { stop_ = std::move(stop); }

  private:
    /// The files of a set, read once while a few dozen sets use them (a
    /// parent, a BIOS, a device archive serve many sets in a row).
    std::shared_ptr<const SetFiles> Files(const std::string& set);

    const RomFolder& folder_;
    bool full_;
    std::unique_ptr<NeedsSource> needs_;
    std::function<bool()> stop_;
    std::list<std::pair<std::string, std::shared_ptr<const SetFiles>>> recent_;
    std::unordered_map<std::string, decltype(recent_)::iterator> byName_;
};

}  // namespace arc
