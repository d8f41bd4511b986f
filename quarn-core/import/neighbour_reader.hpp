#pragma once

// What the neighbour readers share: terminal lines cleaned of pager prompts
// and erasures, "key: value" lines, the choice of the neighbour's port,
// capability words, and the port names that brief tables abbreviate.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "import/neighbour_import.hpp"

namespace quarn::neighbour_detail {

struct OutputLine {
    std::size_t number = 0;   // from 1
    std::size_t indent = 0;   // leading blanks and tabs
    std::string_view text;    // cleaned, without indentation and trailing blanks; may be empty
    std::size_t column = 0;   // where `text` starts in the cleaned line
    std::string_view cleaned; // the whole cleaned line, indentation included
    std::string_view raw;     // as the text has it, without the LF
};

// The lines of a terminal capture one by one, blank ones included: split at
// LF, a CR before it dropped. A line the terminal rewrote (backspaces, a CR
// or a cursor move after a pager prompt) keeps what was written last;
// escape sequences and pager prompts (--More--, -- MORE --, ...) go.
class OutputLines {
  public:
    explicit OutputLines(std::string_view text);
    bool next(OutputLine& line);

  private:
    std::string_view rest_;
    std::size_t number_ = 0;
    std::string buffer_;
};

// The cleaned line as OutputLines gives it, into `buffer` when it changed.
std::string_view clean_terminal_line(std::string_view raw, std::string& buffer);

std::string_view trim(std::string_view text);
std::string lower(std::string_view text);
bool iequals(std::string_view a, std::string_view b);
bool istarts_with(std::string_view text, std::string_view prefix);
bool icontains(std::string_view text, std::string_view part);
bool all_digits(std::string_view text);
bool blank_char(char c);
// The first of the characters in `text`, as find_first_of finds it, but in
// one pass: lines are many and short.
std::size_t find_any(std::string_view text, std::string_view characters);

// Words separated by blanks, with their columns.
struct Word {
    std::string_view text;
    std::size_t column = 0;
};
std::vector<Word> split_columns(std::string_view text);

// "Key: value", "Key : value", "- Key: value", "+ Key (hint): value" and
// the full-width colon. The key is lower case with single blanks and
// without the parenthesised hint; the value loses blanks and one pair of
// quotes around it.
struct KeyValue {
    std::string key;
    std::string hint;
    std::string_view value;
};
bool split_key_value(std::string_view text, KeyValue& out);

// A value without blanks and surrounding quotes.
std::string_view unquote(std::string_view text);

bool looks_like_mac(std::string_view text);
bool looks_like_ipv4(std::string_view text);
// An interface name as switches print them: Gi1/0/1, ge-0/0/10, 1/1/49, 25,
// A1, ether2, Te 0/48.
bool looks_like_interface(std::string_view text);

// A port as printed, made whole: quotes off, "Gig 1/0/1" and "Ten 3/7" (CDP
// tables) and "Fas1/0/9" in their long form, "Te 0/48" (Dell OS9) and
// "TenGigabitEthernet 0/48" without the blank.
std::string tidy_port(std::string_view text);

// The neighbour's port: the port ID when it is an interface name; the port
// description when the ID is a MAC or network address, or an interface
// index beside a description that names an interface. `id_type` is the
// port ID subtype as printed (or empty).
std::string choose_port(std::string_view id, std::string_view id_type, std::string_view description);

enum class CapabilityCodes { Lldp, Cdp };
// Capability words or one-letter codes, in any spelling the readers meet,
// as names of k_capability_names in that order, each once.
std::vector<std::string> parse_capabilities(std::string_view text, CapabilityCodes codes);

// An entry being read, field by field.
struct EntryDraft {
    std::string local;      // the local port as the entry states it
    std::string local_weak; // a local port ID that may be an index (NX-OS and Dell state the port there)
    std::string system;
    std::string device_id;
    std::string chassis;
    std::string port_id;
    std::string port_type;
    std::string port_description;
    std::string capabilities_supported;
    std::string capabilities_enabled;
    CapabilityCodes codes = CapabilityCodes::Lldp;
    std::size_t line = 0;

    [[nodiscard]] bool has_remote() const {
        return !system.empty() || !device_id.empty() || !chassis.empty() || !port_id.empty();
    }
};

// The entry, when the draft names its local port and the neighbour. The
// chassis ID stands for a neighbour without name only when `complete` (the
// entry was closed by what follows it, not cut off by the end of a capture).
bool finish_entry(const EntryDraft& draft, bool complete, NeighbourEntry& out);

// What one reader found: entries and the lines it took as its own.
struct ReaderOutput {
    std::vector<NeighbourEntry> entries;
    std::vector<LineSpan> spans;
};

// A reader takes the lines of a text one by one; all readers take them in
// the same pass.
class LineReader {
  public:
    virtual ~LineReader() = default;
    virtual void line(const OutputLine& line) = 0;
    virtual void end() = 0;
};

std::unique_ptr<LineReader> detail_reader(ReaderOutput& out);
std::unique_ptr<LineReader> table_reader(ReaderOutput& out);
std::unique_ptr<LineReader> routeros_reader(ReaderOutput& out);

// Lines that introduce or close neighbour output without being part of an
// entry: capability legends, titles, totals.
bool preamble_line(std::string_view text);
bool total_line(std::string_view text);

// The longest a line may be to be looked at; longer lines are no neighbour
// output, and leaving them out keeps garbage from costing time.
inline constexpr std::size_t k_max_line = 4096;
// The most entries one text gives, so that any text is read in bounded memory.
inline constexpr std::size_t k_max_entries = 100000;

} // namespace quarn::neighbour_detail
