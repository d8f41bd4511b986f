#include "find/find_map.hpp"

#include <algorithm>
#include <string_view>

#include "common/fill.hpp"
#include "find/fold.hpp"

namespace quarn {
namespace {

// Query words beyond this many are left out of the search: a mask of one
// bit a word keeps the per-port test to a few instructions.
constexpr std::size_t k_max_words = 64;
using WordMask = std::uint64_t;

std::vector<std::string> query_words(std::string_view query) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < query.size() && words.size() < k_max_words) {
        while (i < query.size() && (query[i] == ' ' || query[i] == '\t')) ++i;
        std::size_t start = i;
        while (i < query.size() && query[i] != ' ' && query[i] != '\t') ++i;
        if (i > start) {
            std::string word = fold_case(query.substr(start, i - start));
            // A word given twice asks nothing more.
            if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(std::move(word));
        }
    }
    return words;
}

class Search {
  public:
    Search(const Map& map, std::string_view query, std::size_t limit)
        : map_(map), words_(query_words(query)), limit_(limit),
          all_(words_.size() == k_max_words ? ~WordMask{0} : (WordMask{1} << words_.size()) - 1) {}

    FindResults run() {
        if (words_.empty()) return {};
        for (const Vlan& vlan : map_.vlans) {
            const std::string id = std::to_string(vlan.id);
            if (matched(0, {id, vlan.name}) == all_) add_vlan(vlan);
        }
        for (std::size_t s = 0; s < map_.switches.size(); ++s) {
            const Switch& sw = map_.switches[s];
            const WordMask context = matched(0, {sw.name, sw.model, sw.location});
            if (context == all_) add_switch(s);
            for (std::size_t p = 0; p < sw.ports.size(); ++p)
                if (port_matches(sw.ports[p], context)) add_port(s, p);
        }
        return std::move(results_);
    }

  private:
    // The words (beyond those in `known`) that one of the fields holds.
    WordMask matched(WordMask known, std::initializer_list<std::string_view> fields) {
        WordMask mask = 0;
        for (std::size_t w = 0; w < words_.size(); ++w) {
            if (known & (WordMask{1} << w)) continue;
            for (std::string_view field : fields)
                if (holds_folded(field, words_[w], scratch_)) {
                    mask |= WordMask{1} << w;
                    break;
                }
        }
        return mask;
    }

    bool holds(const Port& port, std::size_t w) {
        return holds_folded(port.label, words_[w], scratch_) ||
               holds_folded(port.description, words_[w], scratch_);
    }

    // Every word the switch lacks must be the port's own, and at least one
    // word must be: the words the switch lacks are tried first, as most
    // ports fail there.
    bool port_matches(const Port& port, WordMask context) {
        bool own = false;
        for (std::size_t w = 0; w < words_.size(); ++w) {
            if (context & (WordMask{1} << w)) continue;
            if (!holds(port, w)) return false;
            own = true;
        }
        for (std::size_t w = 0; w < words_.size() && !own; ++w) own = holds(port, w);
        return own;
    }

    bool room() {
        ++results_.total;
        return results_.found.size() < limit_;
    }

    void add_vlan(const Vlan& vlan) {
        if (!room()) return;
        std::string what = "VLAN " + std::to_string(vlan.id);
        if (!vlan.name.empty()) what += " " + vlan.name;
        results_.found.push_back(Found{FoundKind::Vlan, std::move(what), "VLAN list", 0, 0, vlan.id});
    }

    void add_switch(std::size_t s) {
        if (!room()) return;
        const Switch& sw = map_.switches[s];
        std::string where = sw.location;
        if (!sw.model.empty()) where += where.empty() ? sw.model : fill(" ({})", {sw.model});
        results_.found.push_back(Found{FoundKind::Switch, sw.name, std::move(where), s, 0, 0});
    }

    void add_port(std::size_t s, std::size_t p) {
        if (!room()) return;
        const Switch& sw = map_.switches[s];
        const Port& port = sw.ports[p];
        std::string what = port.description.empty() ? fill("port {}", {port.label})
                                                    : fill("port {}: {}", {port.label, port.description});
        results_.found.push_back(Found{FoundKind::Port, std::move(what), sw.name, s, p, 0});
    }

    const Map& map_;
    std::vector<std::string> words_;
    std::size_t limit_;
    WordMask all_;
    std::string scratch_;
    FindResults results_;
};

} // namespace

FindResults find_in_map(const Map& map, std::string_view query, std::size_t limit) {
    return Search(map, query, limit).run();
}

} // namespace quarn
