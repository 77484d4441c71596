// Command.dat: one Command row per set and command block.

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "database/Database.h"
#include "importers/DataUpdate.h"
#include "importers/Importers.h"
#include "importers/IniLines.h"
#include "importers/SupportFileReader.h"
#include "importers/TextUtil.h"

namespace arc {
namespace {

constexpr int kProcCommand = 432;
constexpr std::size_t kTitleLength = 50;
constexpr std::string_view kSeparator = "\u2014\u2014\u2014\u2014\u2014";  // five em dashes

/// Writes the rows of finished blocks for the sets of the current "$info" line.
/// While `values` are Deferring(), the calls are kept and replayed later.
class CommandRows {
  public:
    /// The sets are those of `values` when given, else read from Data.
    explicit CommandRows(DataValues* values) : values_(values) {
        if (values_ && values_->Deferring()) {
            auto kept = std::make_unique<Kept>();
            kept_ = kept.get();
            values_->Defer(std::move(kept));
            return;
        }
        insert_.emplace("INSERT INTO Command (InternalName, cmd, info) VALUES (?, ?, ?)");
        batch_.emplace();
        if (!values_) rows_.emplace();
    }

    /// The sets of a comma-separated list, each once. A name that is no set
    /// gets no row: such rows would match nothing, and a list repeating one
    /// name would otherwise multiply every block of the entry.
    void SetNames(std::string_view list) {
        if (kept_) kept_->calls.push_back({true, std::string(list), {}});
        sets_.clear();
        std::unordered_set<std::string_view> seen;
        for (const std::string_view name : SplitList(list, ','))
            if (IsSet(name) && seen.insert(name).second) sets_.emplace_back(name);
    }
    bool HasNames() const { return !sets_.empty(); }

    /// One row per set; the title is cut to the field's length.
    void Add(std::string_view title, std::string_view text) {
        if (title.empty() && text.empty()) return;  // an empty block says nothing
        if (kept_) {
            kept_->calls.push_back({false, std::string(title), std::string(text)});
            return;
        }
        const std::string cmd = Utf8Prefix(title, kTitleLength);
        for (const std::string& name : sets_) {
            insert_->Bind(1, name).Bind(2, cmd).Bind(3, text);
            insert_->Run();
            batch_->RowDone();
        }
    }

  private:
    /// The calls made before the names were known.
    struct Kept : DeferredWrites {
        struct Call {
            bool names;  ///< SetNames(first), else Add(first, second)
            std::string first, second;
        };
        std::vector<Call> calls;
        void Replay(DataValues& values, const std::function<bool()>& stop) override {
            CommandRows rows(&values);
            for (std::size_t i = 0; i < calls.size(); ++i) {
                if (stop && i % 256 == 0 && stop()) break;
                const Call& call = calls[i];
                if (call.names)
                    rows.SetNames(call.first);
                else
                    rows.Add(call.first, call.second);
            }
        }
    };

    bool IsSet(std::string_view name) const {
        return values_ ? values_->Find(name) != DataValues::kNoSet : rows_->Find(name) != 0;
    }

    DataValues* values_;
    std::optional<DataRowids> rows_;
    std::vector<std::string> sets_;
    std::optional<Statement> insert_;
    std::optional<BatchTransaction> batch_;
    Kept* kept_ = nullptr;  // owned by `values_`
};

bool IsBlockText(std::string_view line) {
    return !line.empty() && line.front() != '[' && line.front() != '$' &&
           line.substr(0, kSeparator.size()) != kSeparator;
}

}  // namespace

bool ImportCommand(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportLines(kProcCommand, path, progress, [&](SupportFileReader& reader) {
        CommandRows rows(values);
        std::string title;
        std::string text;
        std::string line;
        while (reader.Next(line)) {
            const std::string lower = ToLowerAscii(line);
            if (lower.find("$info") != std::string::npos) {
                // A block left open by a missing "$end" is kept for its sets.
                if (!title.empty()) rows.Add(title, text);
                title.clear();
                text.clear();
                const std::size_t equal = line.find('=');
                rows.SetNames(equal == std::string::npos
                                  ? std::string_view()
                                  : std::string_view(line).substr(equal + 1));
            }
            if (lower.find("$cmd") != std::string::npos) {
                if (!reader.Next(line)) break;
                if (line.empty() && !reader.Next(line)) break;
                title = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
            }
            if (rows.HasNames() && !title.empty() && IsBlockText(line)) {
                text += line;
                text += "\r\n";
            }
            if (lower.find("$end") != std::string::npos) {
                rows.Add(title, text);
                title.clear();
                text.clear();
            }
        }
        if (!reader.Cancelled() && !title.empty()) rows.Add(title, text);
    });
}

}  // namespace arc
