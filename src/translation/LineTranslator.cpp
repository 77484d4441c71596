#include "translation/LineTranslator.h"

#include <algorithm>
#include <deque>

namespace arc {
namespace {

/// Replaces every occurrence of source; false, with the text unchanged, when
/// the result would pass `limit` bytes.
bool ReplaceAll(std::string& text, std::string_view source, std::string_view translation,
                std::size_t limit) {
    std::string result;
    result.reserve(text.size() + translation.size());
    std::size_t start = 0;
    for (std::size_t found = text.find(source); found != std::string::npos;
         found = text.find(source, start)) {
        result.append(text, start, found - start);
        result.append(translation);
        start = found + source.size();
        if (result.size() > limit) return false;
    }
    result.append(text, start, std::string::npos);
    text = std::move(result);
    return true;
}

}  // namespace

LineTranslator::LineTranslator(SectionTable table) : table_(std::move(table)) {
    Build();
}

int LineTranslator::Child(int node, unsigned char byte) const {
    for (const auto& [key, child] : nodes_[node].next)
        if (key == byte) return child;
    return -1;
}

void LineTranslator::Build() {
    nodes_.assign(1, Node{});
    for (int index = 0; index < static_cast<int>(table_.size()); ++index) {
        const std::string& source = table_[index].source;
        if (source.empty()) continue;  // replacing nothing changes nothing
        int node = 0;
        for (unsigned char byte : source) {
            int child = Child(node, byte);
            if (child < 0) {
                child = static_cast<int>(nodes_.size());
                nodes_[node].next.emplace_back(byte, child);
                nodes_.emplace_back();
            }
            node = child;
        }
        nodes_[node].entries.push_back(index);  // indices arrive in ascending order
    }

    rootNext_.assign(256, 0);
    std::deque<int> queue;
    for (const auto& [byte, child] : nodes_[0].next) {
        rootNext_[byte] = child;
        queue.push_back(child);
    }
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        for (const auto& [byte, child] : nodes_[node].next) {
            int fail = nodes_[node].fail;
            int target = -1;
            while (true) {
                target = fail == 0 ? rootNext_[byte] : Child(fail, byte);
                if (target >= 0 || fail == 0) break;
                fail = nodes_[fail].fail;
            }
            nodes_[child].fail = target < 0 ? 0 : target;
            const Node& failNode = nodes_[nodes_[child].fail];
            nodes_[child].outputLink =
                failNode.entries.empty() ? failNode.outputLink : nodes_[child].fail;
            queue.push_back(child);
        }
    }
}

int LineTranslator::FirstOccurring(std::string_view text, int after) const {
    int best = -1;
    int state = 0;
    for (unsigned char byte : text) {
        while (true) {
            if (state == 0) {
                state = rootNext_[byte];
                break;
            }
            const int child = Child(state, byte);
            if (child >= 0) {
                state = child;
                break;
            }
            state = nodes_[state].fail;
        }
        for (int node = nodes_[state].entries.empty() ? nodes_[state].outputLink : state; node > 0;
             node = nodes_[node].outputLink) {
            const std::vector<int>& entries = nodes_[node].entries;
            auto it = std::upper_bound(entries.begin(), entries.end(), after);
            if (it != entries.end() && (best < 0 || *it < best)) {
                best = *it;
                if (best == after + 1) return best;
            }
        }
    }
    return best;
}

std::string LineTranslator::TranslateLine(std::string_view text) const {
    std::string result(text);
    if (nodes_.size() <= 1) return result;
    // Entries that feed each other ("a = bb", "b = cc", ...) can double the
    // line at every step: such a line is left as it was.
    const std::size_t limit = std::max(text.size() * 16, kMaxTranslatedLine);
    for (int entry = FirstOccurring(result, -1); entry >= 0;
         entry = FirstOccurring(result, entry)) {
        if (!ReplaceAll(result, table_[entry].source, table_[entry].translation, limit))
            return std::string(text);
    }
    return result;
}

}  // namespace arc
