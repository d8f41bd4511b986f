#include "export/csv.hpp"

#include <array>
#include <string_view>

#include "common/utf8.hpp"
#include "draw/connections.hpp"

namespace quarn {
namespace {

std::string utf8(char32_t c) {
    // A separator that would break the table's structure, or is not a
    // character at all: the comma instead.
    if (!csv_separator_allowed(c)) c = U',';
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
    return out;
}

// The field as a spreadsheet will read it: control characters other than
// tab and the line breaks (which quoting carries) are dropped, as a
// spreadsheet drops a NUL on import, and bytes that are not UTF-8 become
// U+FFFD, as a spreadsheet decodes them. The formula guard then judges
// this text, so nothing can hide a leading "=" behind a character that
// vanishes on the way in.
std::string clean_field(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c >= 0x20 ? c != 0x7f : c == '\t' || c == '\n' || c == '\r') out += static_cast<char>(c);
            ++i;
            continue;
        }
        const Utf8Character character = utf8_character(text, i);
        out += character.text;
        i += character.length;
    }
    return out;
}

class RowWriter {
  public:
    RowWriter(std::string& out, std::string separator) : out_(out), separator_(std::move(separator)) {}

    void field(std::string_view raw) {
        if (!first_) out_ += separator_;
        first_ = false;
        const std::string text = clean_field(raw);
        const bool formula = !text.empty() && (text[0] == '+' || text[0] == '-' || text[0] == '=' ||
                                               text[0] == '@' || text[0] == '\t' || text[0] == '\r');
        // A spreadsheet would run a field that starts like a formula; the
        // apostrophe makes it plain text there.
        if (formula) {
            out_ += "\"'";
            append_doubled(text);
            out_ += '"';
        } else if (text.find(separator_) != std::string_view::npos ||
                   text.find_first_of("\"\n\r") != std::string_view::npos) {
            out_ += '"';
            append_doubled(text);
            out_ += '"';
        } else {
            out_ += text;
        }
    }

    void end() {
        out_ += "\r\n";
        first_ = true;
    }

  private:
    void append_doubled(std::string_view text) {
        for (char c : text) {
            if (c == '"') out_ += '"';
            out_ += c;
        }
    }

    std::string& out_;
    std::string separator_;
    bool first_ = true;
};

std::string_view kind_text(PortKind kind) {
    switch (kind) {
    case PortKind::Sfp:
        return "SFP";
    case PortKind::Dual:
        return "Dual";
    case PortKind::Rj45:
        break;
    }
    return "RJ45";
}

// The kind of the group whose places hold the port, "RJ45" beyond them all.
std::string_view port_type(const Switch& sw, std::size_t port_index) {
    std::uint64_t first = 0;
    for (const PortGroup& group : sw.groups) {
        const std::uint64_t places = group_places(group);
        if (port_index >= first && port_index < first + places) return kind_text(group.kind);
        first += places;
    }
    return "RJ45";
}

} // namespace

bool csv_separator_allowed(char32_t c) {
    if (c == U'"' || c == U'\'' || c == U'\x7f') return false;
    if (c < 0x20 && c != U'\t') return false;
    return c <= 0x10ffff && !(c >= 0xd800 && c <= 0xdfff);
}

std::string map_csv(const Map& map, char32_t separator) {
    std::string out = "\xef\xbb\xbf";
    RowWriter row(out, utf8(separator));
    for (std::string_view header : {"Switch", "Location", "Port", "Type", "Untagged", "Tagged", "Description",
                                    "Disabled", "LAG", "Linked To"})
        row.field(header);
    row.end();

    for (const Switch& sw : map.switches) {
        const auto lags = port_lags(sw);
        for (std::size_t p = 0; p < sw.ports.size(); ++p) {
            const Port& port = sw.ports[p];
            row.field(sw.name);
            row.field(sw.location);
            row.field(port.label);
            row.field(port_type(sw, p));
            row.field(port.untagged ? std::to_string(*port.untagged) : std::string());
            std::string tagged;
            for (std::uint16_t id : port.tagged) {
                if (!tagged.empty()) tagged += ' ';
                tagged += std::to_string(id);
            }
            row.field(tagged);
            row.field(port.description);
            row.field(port.disabled ? "Yes" : "");
            const Lag* lag = lags[p] ? &sw.lags[*lags[p]] : nullptr;
            row.field(lag != nullptr ? std::string_view(lag->name) : std::string_view());
            // A LAG member has no link of its own; its far side is the LAG's
            // peer, named the same way: switch, then the far LAG.
            if (port.link) {
                row.field(port.link->switch_name + " " + port.link->port);
            } else if (lag != nullptr && lag->peer) {
                row.field(lag->peer->switch_name + " " + lag->peer->lag);
            } else {
                row.field("");
            }
            row.end();
        }
    }
    return out;
}

} // namespace quarn
