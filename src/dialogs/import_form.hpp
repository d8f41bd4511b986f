#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "import/campus_import.hpp"
#include "import/config_import.hpp"
#include "import/import_apply.hpp"
#include "model/map.hpp"

namespace quarn::dialogs {

// Where the Import Configuration dialog puts what it read.
enum class ImportTarget : std::uint8_t { NewSwitch, CurrentSwitch };

// The dialect list: "Detect automatically", then every dialect the importer
// reads, in the order of `Dialect`.
std::vector<std::string> dialect_entries();
// The dialect an entry stands for: nothing for the first (detect) and for
// an index past the list.
std::optional<Dialect> dialect_of_entry(std::size_t entry);

// The map the dialog previews on: a copy, so that the dialog holds no
// reference into the document while it runs.
struct ImportDialogInput {
    Map map;
    std::optional<std::size_t> current_switch; // what "Update the current switch" updates

    bool operator==(const ImportDialogInput&) const = default;
};

// The choices beside the text.
struct ImportChoices {
    std::optional<Dialect> dialect; // nothing: as detected
    ImportTarget target = ImportTarget::NewSwitch;
    std::string file_name; // of the opened file, without its extension: a new switch's name without host name

    bool operator==(const ImportChoices&) const = default;
};

// What OK hands back: what was read, never the text itself, which may hold
// secrets that the importer leaves out.
struct ImportForm {
    ImportResult result;
    ImportTarget target = ImportTarget::NewSwitch;
    std::string fallback_name;
    // Several files: the whole map they built, which OK takes as it was
    // previewed, and the first switch they added (the one to show).
    std::optional<Map> campus;
    std::optional<std::size_t> first_added;

    bool operator==(const ImportForm&) const = default;
};

// What the dialog shows for a text and its choices.
struct ImportPreview {
    // "Found: Cisco IOS", or "Read as Cisco IOS (assumed)" when the text
    // might be another family's too; empty while the text is blank.
    std::string found;
    std::string summary; // "Will import 6 ports and 2 VLANs as acc-a1", or why nothing
    // The changes as "Changes Since Saved..." words them, then what the map
    // cannot take and the lines not understood, each line followed by a
    // line break.
    std::string lines;
    std::optional<ImportForm> form; // set exactly when OK may apply it

    bool operator==(const ImportPreview&) const = default;
};

ImportPreview preview_import(const ImportDialogInput& input, std::string_view text,
                             const ImportChoices& choices);

// One file of several, as the dialog read it: its text, or why it was left
// out (binary, too large, unreadable).
struct ImportSource {
    std::string name; // the file's name with its extension
    std::string text;
    std::string refused; // empty: `text` holds the file

    bool operator==(const ImportSource&) const = default;
};

// The choices of an import of several files.
struct CampusChoices {
    std::optional<Dialect> dialect; // nothing: each file's as detected
    bool replace_contradicted = false;
    bool describe_outside = false;

    bool operator==(const CampusChoices&) const = default;
};

// What the dialog shows for several files: each file's part (a switch
// added or updated, neighbours only, or left out), the links made, the
// disagreements and the neighbours outside the map, each line followed by
// a line break. OK applies the map the files build.
ImportPreview preview_campus(const ImportDialogInput& input, std::span<const ImportSource> sources,
                             const CampusChoices& choices);

// Applies the form: a new switch at the end of the map, or the update of
// switch `current`. Nothing when the update has no switch to update.
std::optional<ImportApplied> apply_import_form(Map& map, std::optional<std::size_t> current,
                                               const ImportForm& form);

// A configuration file at most this long is read into the dialog: far above
// the largest switch's configuration, small enough to read again at every
// keystroke.
inline constexpr std::uint64_t k_max_config_bytes = std::uint64_t{8} << 20;
inline constexpr std::string_view k_config_too_large_text =
    "It is larger than 8 MiB, too large for a switch configuration.";
inline constexpr std::string_view k_config_binary_text = "It holds binary data, not configuration text.";

// A configuration file's bytes as UTF-8 text: a UTF-8 byte order mark is
// dropped, UTF-16 with its byte order mark (what Windows PowerShell writes
// when output is redirected) is converted; bytes that form no UTF-8 are
// left for the importer, which replaces them. Refused: more than
// k_max_config_bytes, or a NUL character (a binary file).
Result<std::string> config_file_text(std::string bytes);

} // namespace quarn::dialogs
