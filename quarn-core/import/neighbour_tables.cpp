// The brief forms: a table whose header names the columns. Most platforms
// pad their columns, so a value belongs to the column whose title it starts
// under; Cisco's tables are read by their words instead, as captures often
// lose the padding and Cisco moves a long device ID onto a line of its own.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "import/neighbour_reader.hpp"

namespace quarn::neighbour_detail {
namespace {

enum class Role : std::uint8_t { Other, Local, System, Port, Description, Chassis, Capabilities };

struct Title {
    std::string_view words; // lower case
    Role role;
};

// Longer titles first, so that "neighbor device id" wins over "device id".
constexpr std::array<Title, 43> k_titles = {{
    {"neighbor device id", Role::System},
    {"neighbor port id", Role::Port},
    {"rem chassis id", Role::Chassis},
    {"rem host name", Role::System},
    {"rem port id", Role::Port},
    {"local intf", Role::Local},
    {"local interface", Role::Local},
    {"local intrfce", Role::Local},
    {"local port", Role::Local},
    {"loc portid", Role::Local},
    {"lcl port", Role::Local},
    {"parent interface", Role::Other},
    {"system name", Role::System},
    {"device id", Role::System},
    {"neighbor dev", Role::System},
    {"neighbor device", Role::System},
    {"neighbor intf", Role::Port},
    {"neighbor interface", Role::Port},
    {"port id", Role::Port},
    {"port info", Role::Port},
    {"port description", Role::Description},
    {"chassis id", Role::Chassis},
    {"localport", Role::Local},
    {"local-port", Role::Local},
    {"device-id", Role::System},
    {"sysname", Role::System},
    {"sys-name", Role::System},
    {"portid", Role::Port},
    {"port-id", Role::Port},
    {"portdescr", Role::Description},
    {"port-desc", Role::Description},
    {"chassisid", Role::Chassis},
    {"chassis-id", Role::Chassis},
    {"capability", Role::Capabilities},
    {"capabilities", Role::Capabilities},
    {"hold-time", Role::Other},
    {"holdtme", Role::Other},
    {"hldtme", Role::Other},
    {"platform", Role::Other},
    {"ttl", Role::Other},
    {"exptime(s)", Role::Other},
    {"exptime", Role::Other},
    {"age", Role::Other},
}};

enum class Style : std::uint8_t { Columns, CiscoLldp, CiscoCdp };

struct Column {
    std::size_t start = 0;
    Role role = Role::Other;
};

struct Table {
    Style style = Style::Columns;
    std::vector<Column> columns;
};

std::size_t word_count(std::string_view words) {
    return static_cast<std::size_t>(std::count(words.begin(), words.end(), ' ')) + 1;
}

// Every header names a system (a device, a system name, a host) and ports.
bool may_be_header(std::string_view text) {
    return (icontains(text, "dev") || icontains(text, "sys") || icontains(text, "host")) &&
           (icontains(text, "port") || icontains(text, "intf") || icontains(text, "intrfce") ||
            icontains(text, "interface"));
}

bool header(std::string_view text, Table& table) {
    if (text.find(':') != std::string_view::npos || text.size() > 200 || !may_be_header(text)) return false;
    const std::string low = lower(text);
    std::vector<Word> words = split_columns(low);
    table = Table{};
    bool local = false;
    bool system = false;
    bool port = false;
    std::size_t known = 0;
    bool cdp = false;
    bool cisco = false;
    for (std::size_t i = 0; i < words.size();) {
        if (words[i].text == "|") {
            ++i;
            continue;
        }
        Role role = Role::Other;
        std::size_t taken = 1;
        bool matched = false;
        for (const Title& title : k_titles) {
            std::size_t n = word_count(title.words);
            if (i + n > words.size()) continue;
            std::size_t start = words[i].column;
            std::size_t end = words[i + n - 1].column + words[i + n - 1].text.size();
            if (std::string_view(low).substr(start, end - start) != title.words) continue;
            role = title.role;
            taken = n;
            matched = true;
            cdp = cdp || title.words == "local intrfce";
            cisco = cisco ||
                    (table.columns.empty() && (title.words == "device id" || title.words == "device-id"));
            break;
        }
        // Arista's table starts with a column "Port", the local one.
        if (!matched && i == 0 && words[i].text == "port") {
            role = Role::Local;
            matched = true;
        }
        if (matched) ++known;
        local = local || role == Role::Local;
        system = system || role == Role::System;
        port = port || role == Role::Port;
        table.columns.push_back(Column{words[i].column, role});
        i += taken;
    }
    if (!local || !system || !port || known < 3 || known * 2 < table.columns.size()) return false;
    if (cisco) table.style = cdp ? Style::CiscoCdp : Style::CiscoLldp;
    return true;
}

bool dash_line(std::string_view text) {
    return !text.empty() && text.find('-') != std::string_view::npos &&
           std::all_of(text.begin(), text.end(),
                       [](char c) { return c == '-' || c == '+' || c == ' ' || c == '='; });
}

// The columns as the dashes under the header draw them, when they agree.
void align_to_dashes(std::string_view cleaned, Table& table) {
    std::vector<std::size_t> starts;
    for (const Word& word : split_columns(cleaned))
        if (word.text.find('-') != std::string_view::npos || word.text.find('=') != std::string_view::npos)
            starts.push_back(word.column);
    if (starts.size() != table.columns.size()) return;
    for (std::size_t i = 0; i < starts.size(); ++i) table.columns[i].start = starts[i];
}

bool alpha(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
    });
}

bool digit_first(std::string_view text) {
    return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

bool lldp_code_word(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::string_view("RBTCWPSO,").find(c) != std::string_view::npos;
    });
}

bool cdp_code_word(std::string_view text) {
    return text.size() == 1 && std::string_view("RTBSHIrPDCMsV").find(text[0]) != std::string_view::npos;
}

std::string joined(const std::vector<Word>& words, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) text += ' ';
        text += words[i].text;
    }
    return text;
}

class TableReader : public LineReader {
  public:
    explicit TableReader(ReaderOutput& out) : out_(out) {}
    void line(const OutputLine& line) override;
    void end() override;

  private:
    bool row(const OutputLine& line);
    bool cisco_row(const std::vector<Word>& words, EntryDraft& draft);
    bool column_row(const std::vector<Word>& words, EntryDraft& draft);
    void close();

    ReaderOutput& out_;
    bool open_ = false;
    Table table_;
    std::size_t rows_ = 0;
    std::size_t blanks_ = 0;
    std::string pending_device_; // Cisco: a device ID too long for its column
    std::size_t pending_line_ = 0;
    LineSpan span_;
};

void TableReader::close() {
    if (open_ && rows_ > 0) out_.spans.push_back(span_);
    open_ = false;
    pending_device_.clear();
}

bool TableReader::cisco_row(const std::vector<Word>& words, EntryDraft& draft) {
    std::size_t i = 0;
    std::size_t n = words.size();
    if (pending_device_.empty()) {
        if (n == 0) return false;
        draft.device_id = std::string(words[i++].text);
    } else {
        draft.device_id = pending_device_;
    }
    if (i >= n) return false;
    if (i + 1 < n && alpha(words[i].text) && digit_first(words[i + 1].text)) {
        draft.local = std::string(words[i].text) + " " + std::string(words[i + 1].text);
        i += 2;
    } else {
        draft.local = std::string(words[i++].text);
    }
    if (i >= n || !all_digits(words[i].text)) {
        // IOS cuts a device ID at 20 characters and writes the port right after it.
        std::size_t local_start = table_.columns.size() > 1 ? table_.columns[1].start : 0;
        if (!pending_device_.empty() || words[0].column != 0 || local_start == 0 ||
            words[0].text.size() <= local_start || n < 3 || !all_digits(words[1].text))
            return false;
        draft.device_id = std::string(words[0].text.substr(0, local_start));
        draft.local = std::string(words[0].text.substr(local_start));
        i = 1;
    }
    ++i; // the hold time
    std::size_t last = n;
    std::string capabilities;
    if (table_.style == Style::CiscoLldp) {
        while (last - i >= 2 && lldp_code_word(words[i].text))
            capabilities += std::string(words[i++].text) + " ";
        if (i >= last) return false;
        draft.port_id = joined(words, i, last);
    } else {
        while (last - i >= 2 && cdp_code_word(words[i].text))
            capabilities += std::string(words[i++].text) + " ";
        if (i >= last) return false;
        // The platform may take several words; the port comes last, "Gig 1/0/1" as two.
        if (last - i >= 2 && alpha(words[last - 2].text) && digit_first(words[last - 1].text))
            draft.port_id = joined(words, last - 2, last);
        else
            draft.port_id = std::string(words[last - 1].text);
        draft.codes = CapabilityCodes::Cdp;
    }
    draft.capabilities_enabled = capabilities;
    return true;
}

bool TableReader::column_row(const std::vector<Word>& words, EntryDraft& draft) {
    std::vector<std::string> values(table_.columns.size());
    std::vector<const Word*> kept;
    for (const Word& word : words)
        if (word.text != "|") kept.push_back(&word);
    if (kept.empty()) return false;
    for (const Word* word : kept) {
        std::size_t c = 0;
        for (std::size_t k = 0; k < table_.columns.size(); ++k)
            if (table_.columns[k].start <= word->column + 1) c = k;
        if (!values[c].empty()) values[c] += ' ';
        values[c] += word->text;
    }
    std::size_t local = 0;
    while (local < table_.columns.size() && table_.columns[local].role != Role::Local) ++local;
    // A capture that lost the padding still has one word per column.
    if ((values[local].empty() || kept.front()->column + 1 < table_.columns[local].start) &&
        kept.size() == table_.columns.size())
        for (std::size_t k = 0; k < kept.size(); ++k) values[k] = std::string(kept[k]->text);
    for (std::size_t k = 0; k < table_.columns.size(); ++k) {
        std::string& value = values[k];
        switch (table_.columns[k].role) {
        case Role::Local:
            draft.local = value;
            break;
        case Role::System:
            draft.system = value;
            break;
        case Role::Port:
            draft.port_id = value;
            break;
        case Role::Description:
            draft.port_description = value;
            break;
        case Role::Chassis:
            draft.chassis = value;
            break;
        case Role::Capabilities:
            draft.capabilities_enabled = value;
            break;
        case Role::Other:
            break;
        }
    }
    if (draft.local.empty() || draft.local.back() == ':') return false;
    if (draft.system == "-") draft.system.clear();
    return true;
}

bool TableReader::row(const OutputLine& line) {
    std::vector<Word> words = split_columns(line.cleaned);
    EntryDraft draft;
    draft.line = pending_device_.empty() ? line.number : pending_line_;
    bool read = table_.style == Style::Columns ? column_row(words, draft) : cisco_row(words, draft);
    if (!read) return false;
    if (!looks_like_interface(draft.local)) return false;
    NeighbourEntry entry;
    // A table row names its neighbour, or is no row.
    if (!finish_entry(draft, true, entry)) return false;
    if (out_.entries.size() < k_max_entries) out_.entries.push_back(std::move(entry));
    pending_device_.clear();
    return true;
}

void TableReader::line(const OutputLine& line) {
    if (open_) {
        if (line.text.empty()) {
            if (rows_ > 0 || ++blanks_ > 2) close();
            return;
        }
        if (rows_ == 0 && dash_line(line.text)) {
            if (table_.style == Style::Columns) align_to_dashes(line.cleaned, table_);
            span_.last = line.number;
            return;
        }
        if (total_line(line.text)) {
            close();
            return;
        }
        if (row(line)) {
            ++rows_;
            span_.last = line.number;
            return;
        }
        std::vector<Word> words = split_columns(line.text);
        if (table_.style != Style::Columns && words.size() == 1 && pending_device_.empty() &&
            line.text.find(':') == std::string_view::npos) {
            pending_device_ = std::string(words[0].text);
            pending_line_ = line.number;
            return;
        }
        close();
    }
    if (line.text.empty() || !header(line.text, table_)) return;
    // Table positions are those of the cleaned line, indentation included.
    for (Column& column : table_.columns) column.start += line.column;
    open_ = true;
    rows_ = 0;
    blanks_ = 0;
    span_ = LineSpan{line.number, line.number};
}

void TableReader::end() {
    close();
}

} // namespace

std::unique_ptr<LineReader> table_reader(ReaderOutput& out) {
    return std::make_unique<TableReader>(out);
}

} // namespace quarn::neighbour_detail
