#include "ops/port_range.hpp"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "common/fill.hpp"

namespace quarn {
namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
    return text;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool only_digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), is_digit);
}

// The trailing decimal digits of a label, and what stands before them.
std::string_view number_of(std::string_view label) {
    std::size_t start = label.size();
    while (start > 0 && is_digit(label[start - 1])) --start;
    return label.substr(start);
}

std::string_view prefix_of(std::string_view label) {
    return label.substr(0, label.size() - number_of(label).size());
}

struct Span {
    std::size_t first = 0;
    std::size_t last = 0;

    bool operator==(const Span&) const = default;
};

constexpr std::size_t k_none = static_cast<std::size_t>(-1);

// What one part of a text may name, built once per text.
class PortNames {
  public:
    explicit PortNames(const Switch& sw) : sw_(sw), next_same_number_(sw.ports.size(), k_none) {
        by_label_.reserve(sw.ports.size());
        by_number_.reserve(sw.ports.size());
        std::unordered_map<std::string_view, std::size_t> last_with_number;
        for (std::size_t i = 0; i < sw.ports.size(); ++i) {
            std::string_view label = sw.ports[i].label;
            by_label_.emplace(label, i);
            std::string_view number = number_of(label);
            if (number.empty()) continue;
            auto [last, added] = last_with_number.try_emplace(number, i);
            if (added)
                by_number_.emplace(number, i);
            else
                next_same_number_[std::exchange(last->second, i)] = i;
        }
    }

    std::optional<std::size_t> exact(std::string_view name) const {
        auto found = by_label_.find(name);
        if (found == by_label_.end()) return std::nullopt;
        return found->second;
    }

    // A whole label, else a bare number: the first port whose label ends in
    // exactly those digits.
    std::optional<std::size_t> find(std::string_view name) const {
        if (auto position = exact(name)) return position;
        if (!only_digits(name)) return std::nullopt;
        auto found = by_number_.find(name);
        if (found == by_number_.end()) return std::nullopt;
        return found->second;
    }

    // A range end that is not a whole label must be a bare number that,
    // behind the prefix of the other end, gives a label: ranges stay within
    // one family of labels. When neither end is a whole label, the first
    // port numbered like the first end whose prefix also holds the second end
    // decides. On failure `unknown` is the name that matched nothing.
    std::optional<Span> range(std::string_view from, std::string_view to, std::string& unknown) const {
        auto first = exact(from);
        auto last = exact(to);
        if (first && last) return Span{*first, *last};
        if (first || last) {
            std::string_view bare = first ? to : from;
            std::string name(bare);
            if (only_digits(bare))
                name = std::string(prefix_of(sw_.ports[first ? *first : *last].label)) + name;
            auto found = only_digits(bare) ? exact(name) : std::nullopt;
            if (!found) {
                unknown = std::move(name);
                return std::nullopt;
            }
            return first ? Span{*first, *found} : Span{*found, *last};
        }
        auto candidate = only_digits(from) ? by_number_.find(from) : by_number_.end();
        if (candidate == by_number_.end()) {
            unknown = from;
            return std::nullopt;
        }
        if (!only_digits(to)) {
            unknown = to;
            return std::nullopt;
        }
        for (std::size_t p = candidate->second; p != k_none; p = next_same_number_[p]) {
            std::string name = std::string(prefix_of(sw_.ports[p].label)) + std::string(to);
            if (auto end = exact(name)) return Span{p, *end};
        }
        unknown = std::string(prefix_of(sw_.ports[candidate->second].label)) + std::string(to);
        return std::nullopt;
    }

    // One comma-separated part, already trimmed and not empty: the ports it
    // names. It is split at the first "-" that gives a range; when none
    // does, the name blamed comes from the first split with a side that
    // names a port on its own, else it is the whole part.
    std::optional<Span> part(std::string_view text, std::string* unknown) const {
        if (auto position = find(text)) return Span{*position, *position};
        std::optional<std::string> blamed;
        for (std::size_t dash = text.find('-'); dash != std::string_view::npos;
             dash = text.find('-', dash + 1)) {
            std::string_view from = trim(text.substr(0, dash));
            std::string_view to = trim(text.substr(dash + 1));
            if (from.empty() || to.empty()) continue;
            std::string name;
            if (auto span = range(from, to, name)) return span;
            if (!blamed && (find(from) || find(to))) blamed = std::move(name);
        }
        if (unknown) *unknown = blamed ? *blamed : std::string(text);
        return std::nullopt;
    }

  private:
    const Switch& sw_;
    std::unordered_map<std::string_view, std::size_t> by_label_;
    // The first port of each trailing number, and from each port the next one
    // with the same number.
    std::unordered_map<std::string_view, std::size_t> by_number_;
    std::vector<std::size_t> next_same_number_;
};

// A name can be written only when reading gives it back unchanged.
bool writable(std::string_view name) {
    return !name.empty() && trim(name).size() == name.size() && name.find(',') == std::string_view::npos;
}

enum class NameOrder { NumberFirst, LabelFirst };

// The ways to write one port: its bare number (when the label has more
// than that) and its label, in the order asked for.
std::vector<std::string_view> names_of(const Switch& sw, std::size_t position, NameOrder order) {
    std::string_view label = sw.ports[position].label;
    std::string_view number = number_of(label);
    std::vector<std::string_view> names{label};
    if (!number.empty() && number.size() < label.size())
        names.insert(order == NameOrder::LabelFirst ? names.end() : names.begin(), number);
    return names;
}

std::optional<std::string> write_single(const Switch& sw, const PortNames& names, std::size_t position) {
    for (std::string_view name : names_of(sw, position, NameOrder::NumberFirst))
        if (writable(name) && names.part(name, nullptr) == Span{position, position}) return std::string(name);
    return std::nullopt;
}

std::optional<std::string> write_range(const Switch& sw, const PortNames& names, std::size_t first,
                                       std::size_t last) {
    // Of texts of equal length the one that starts with a whole label wins:
    // "Te1/1/1-2" reads better than "1-Te1/1/2".
    std::optional<std::string> best;
    for (std::string_view from : names_of(sw, first, NameOrder::LabelFirst)) {
        for (std::string_view to : names_of(sw, last, NameOrder::NumberFirst)) {
            if (!writable(from) || !writable(to)) continue;
            std::string text = std::string(from) + "-" + std::string(to);
            if (best && best->size() <= text.size()) continue;
            if (names.part(text, nullptr) == Span{first, last}) best = std::move(text);
        }
    }
    return best;
}

void append(std::string& text, std::string_view piece) {
    if (!text.empty()) text += ',';
    text += piece;
}

std::string single_or_label(const Switch& sw, const PortNames& names, std::size_t position) {
    if (auto name = write_single(sw, names, position)) return *name;
    return sw.ports[position].label;
}

// One run of neighbouring positions (up or down): a range when both ends can
// be named, else a range between the outermost ports that can be, with the
// rest written one by one.
void write_run(std::string& text, const Switch& sw, const PortNames& names,
               const std::vector<std::size_t>& run) {
    auto singles = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) append(text, single_or_label(sw, names, run[i]));
    };
    if (run.size() == 1) return singles(0, 1);
    if (auto range = write_range(sw, names, run.front(), run.back())) {
        if (run.size() == 2) {
            auto a = write_single(sw, names, run[0]);
            auto b = write_single(sw, names, run[1]);
            if (a && b && a->size() + 1 + b->size() <= range->size()) return singles(0, 2);
        }
        return append(text, *range);
    }
    std::size_t low = 0;
    while (low < run.size() && !write_single(sw, names, run[low])) ++low;
    std::size_t high = run.size();
    while (high > low && !write_single(sw, names, run[high - 1])) --high;
    if (high - low >= 3) {
        if (auto range = write_range(sw, names, run[low], run[high - 1])) {
            singles(0, low);
            append(text, *range);
            return singles(high, run.size());
        }
    }
    singles(0, run.size());
}

} // namespace

Result<std::vector<std::size_t>> parse_port_range(const Switch& sw, std::string_view text) {
    PortNames names(sw);
    std::vector<std::size_t> positions;
    std::vector<bool> seen(sw.ports.size(), false);
    auto add = [&](std::size_t position) {
        if (!seen[position]) positions.push_back(position);
        seen[position] = true;
    };
    while (true) {
        std::size_t comma = text.find(',');
        std::string_view part = trim(text.substr(0, comma));
        if (!part.empty()) {
            std::string unknown;
            auto span = names.part(part, &unknown);
            if (!span)
                return Result<std::vector<std::size_t>>::failure(
                    fill("{} has no port {}.", {sw.name, unknown}));
            if (span->first <= span->last)
                for (std::size_t p = span->first; p <= span->last; ++p) add(p);
            else
                for (std::size_t p = span->first + 1; p-- > span->last;) add(p);
        }
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return positions;
}

std::string write_port_range(const Switch& sw, const std::vector<std::size_t>& positions) {
    std::vector<std::size_t> list;
    std::vector<bool> seen(sw.ports.size(), false);
    for (std::size_t position : positions) {
        if (position >= sw.ports.size() || seen[position]) continue;
        seen[position] = true;
        list.push_back(position);
    }
    PortNames names(sw);
    std::string text;
    std::size_t start = 0;
    while (start < list.size()) {
        // The longest run of neighbours from here, in one direction.
        std::size_t end = start + 1;
        if (end < list.size() && (list[end] == list[start] + 1 || list[end] + 1 == list[start])) {
            bool up = list[end] == list[start] + 1;
            while (end < list.size() &&
                   (up ? list[end] == list[end - 1] + 1 : list[end] + 1 == list[end - 1]))
                ++end;
        }
        std::vector<std::size_t> run(list.begin() + static_cast<std::ptrdiff_t>(start),
                                     list.begin() + static_cast<std::ptrdiff_t>(end));
        write_run(text, sw, names, run);
        start = end;
    }
    return text;
}

} // namespace quarn
