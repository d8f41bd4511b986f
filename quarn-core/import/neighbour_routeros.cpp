// RouterOS `/ip neighbor print detail`: numbered entries of key=value words,
// a value in quotes when it holds blanks, wrapped onto indented lines.
#include <string>
#include <vector>

#include "import/neighbour_reader.hpp"

namespace quarn::neighbour_detail {
namespace {

struct Pair {
    std::string_view key;
    std::string value;
};

// The key=value words of a line; other words are skipped.
void read_pairs(std::string_view text, std::vector<Pair>& pairs) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && blank_char(text[i])) ++i;
        std::size_t start = i;
        while (i < text.size() && !blank_char(text[i]) && text[i] != '=') ++i;
        if (i >= text.size() || text[i] != '=') {
            while (i < text.size() && !blank_char(text[i])) ++i;
            continue;
        }
        std::string_view key = text.substr(start, i - start);
        ++i;
        std::string value;
        if (i < text.size() && text[i] == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size()) ++i;
                value += text[i];
            }
            ++i;
        } else {
            while (i < text.size() && !blank_char(text[i])) value += text[i++];
        }
        if (!key.empty()) pairs.push_back(Pair{key, std::move(value)});
    }
}

// " 0 interface=ether1 ...", " 1 X interface=...": the number, maybe flags,
// then the first pair.
bool entry_start(std::string_view cleaned) {
    std::vector<Word> words = split_columns(cleaned);
    if (words.size() < 2 || !all_digits(words[0].text)) return false;
    for (std::size_t i = 1; i < words.size() && i < 4; ++i)
        if (words[i].text.find('=') != std::string_view::npos) return true;
    return false;
}

// "bridge/ether3": the bridge and its port, as RouterOS 7 writes a port of a
// bridge; "GigabitEthernet1/0/24" is one name.
std::string port_of(std::string_view name) {
    std::size_t slash = name.rfind('/');
    if (slash != std::string_view::npos && slash + 1 < name.size()) {
        char c = name[slash + 1];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return std::string(name.substr(slash + 1));
    }
    return std::string(name);
}

class RouterOsReader : public LineReader {
  public:
    explicit RouterOsReader(ReaderOutput& out) : out_(out) {}

    void line(const OutputLine& line) override {
        if (line.text.empty()) {
            finish();
            return;
        }
        if (entry_start(line.cleaned)) {
            finish();
            open_ = true;
            first_ = line.number;
            pairs_.clear();
        } else if (!open_ || line.indent == 0 || line.text.find('=') == std::string_view::npos) {
            finish();
            return;
        }
        read_pairs(line.text, pairs_);
        last_ = line.number;
    }

    void end() override { finish(); }

  private:
    void finish() {
        if (!open_) return;
        open_ = false;
        EntryDraft draft;
        draft.line = first_;
        for (const Pair& pair : pairs_) {
            if (pair.key == "interface") {
                draft.local = pair.value.substr(0, pair.value.find(','));
            } else if (pair.key == "identity") {
                draft.system = pair.value;
            } else if (pair.key == "mac-address") {
                draft.chassis = pair.value;
            } else if (pair.key == "interface-name") {
                draft.port_id = port_of(pair.value);
            } else if (pair.key == "system-caps") {
                draft.capabilities_supported = pair.value;
            } else if (pair.key == "system-caps-enabled") {
                draft.capabilities_enabled = pair.value;
            }
        }
        NeighbourEntry entry;
        if (out_.entries.size() < k_max_entries && finish_entry(draft, true, entry)) {
            out_.entries.push_back(std::move(entry));
            out_.spans.push_back(LineSpan{first_, last_});
        }
    }

    ReaderOutput& out_;
    bool open_ = false;
    std::size_t first_ = 0;
    std::size_t last_ = 0;
    std::vector<Pair> pairs_;
};

} // namespace

std::unique_ptr<LineReader> routeros_reader(ReaderOutput& out) {
    return std::make_unique<RouterOsReader>(out);
}

} // namespace quarn::neighbour_detail
