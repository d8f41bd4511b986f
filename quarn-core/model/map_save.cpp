#include <charconv>
#include <cmath>

#include "model/json_text.hpp"
#include "model/map_file.hpp"

namespace quarn {
namespace {

// Writes the text directly, in exactly the layout of the JSON library's
// pretty printer with an indent of two, without building a document tree:
// saving a large map must not stall the program.
class Writer {
  public:
    std::string out;

    void save(const Map& map) {
        out += '{';
        first_key(1, "format");
        number(map.format);
        key(1, "site");
        text(map.site);
        key(1, "notes");
        text(map.notes);
        key(1, "vlans");
        list(1, map.vlans, [this](int level, const Vlan& vlan) { write(level, vlan); });
        key(1, "switches");
        list(1, map.switches, [this](int level, const Switch& sw) { write(level, sw); });
        close_object(0);
    }

  private:
    void newline(int level) {
        out += '\n';
        out.append(static_cast<std::size_t>(level) * 2, ' ');
    }

    void first_key(int level, std::string_view name) {
        newline(level);
        out += '"';
        out += name;
        out += "\": ";
    }

    // Every key but the first of an object follows a comma.
    void key(int level, std::string_view name) {
        out += ',';
        first_key(level, name);
    }

    void close_object(int level) {
        newline(level);
        out += '}';
    }

    template <class T, class WriteItem>
    void list(int level, const std::vector<T>& items, WriteItem write_item) {
        if (items.empty()) {
            out += "[]";
            return;
        }
        out += '[';
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0) out += ',';
            newline(level + 1);
            write_item(level + 1, items[i]);
        }
        newline(level);
        out += ']';
    }

    void number(std::uint64_t value) {
        char digits[24];
        auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
        (void)error;
        out.append(digits, end);
    }

    void text(std::string_view value) { json_text::append_string(out, value); }

    void null() { out += "null"; }

    void write(int level, const Vlan& vlan) {
        out += '{';
        first_key(level + 1, "id");
        number(vlan.id);
        key(level + 1, "name");
        text(vlan.name);
        key(level + 1, "color");
        text(rgb_text(vlan.color));
        close_object(level);
    }

    void write(int level, const Switch& sw) {
        out += '{';
        first_key(level + 1, "name");
        text(sw.name);
        key(level + 1, "location");
        text(sw.location);
        key(level + 1, "model");
        text(sw.model);
        key(level + 1, "groups");
        list(level + 1, sw.groups, [this](int inner, const PortGroup& group) { write(inner, group); });
        key(level + 1, "ports");
        list(level + 1, sw.ports, [this](int inner, const Port& port) { write(inner, port); });
        key(level + 1, "lags");
        list(level + 1, sw.lags, [this](int inner, const Lag& lag) { write(inner, lag); });
        close_object(level);
    }

    void write(int level, const PortGroup& group) {
        static constexpr std::string_view k_kinds[] = {"\"Rj45\"", "\"Sfp\"", "\"Dual\""};
        static constexpr std::string_view k_numberings[] = {"\"OddTop\"", "\"Rows\""};
        out += '{';
        first_key(level + 1, "kind");
        out += k_kinds[static_cast<std::size_t>(group.kind) % 3];
        key(level + 1, "columns");
        number(group.columns);
        key(level + 1, "rows");
        number(group.rows);
        key(level + 1, "numbering");
        out += k_numberings[static_cast<std::size_t>(group.numbering) % 2];
        key(level + 1, "block");
        number(group.block);
        key(level + 1, "gap_after");
        // A gap that is not a finite number would be written as null, which
        // no reader accepts as a gap; the file would never open again. No gap
        // is the one safe value.
        json_text::append_float(out, std::isfinite(group.gap_after) ? group.gap_after : 0.0f);
        close_object(level);
    }

    void write(int level, const Port& port) {
        out += '{';
        first_key(level + 1, "label");
        text(port.label);
        key(level + 1, "untagged");
        if (port.untagged)
            number(*port.untagged);
        else
            null();
        key(level + 1, "tagged");
        list(level + 1, port.tagged, [this](int, std::uint16_t id) { number(id); });
        key(level + 1, "description");
        text(port.description);
        key(level + 1, "disabled");
        out += port.disabled ? "true" : "false";
        key(level + 1, "link");
        if (port.link) {
            out += '{';
            first_key(level + 2, "switch");
            text(port.link->switch_name);
            key(level + 2, "port");
            text(port.link->port);
            close_object(level + 1);
        } else {
            null();
        }
        close_object(level);
    }

    void write(int level, const Lag& lag) {
        out += '{';
        first_key(level + 1, "name");
        text(lag.name);
        key(level + 1, "members");
        list(level + 1, lag.members, [this](int, const std::string& member) { text(member); });
        key(level + 1, "peer");
        if (lag.peer) {
            out += '{';
            first_key(level + 2, "switch");
            text(lag.peer->switch_name);
            key(level + 2, "lag");
            text(lag.peer->lag);
            close_object(level + 1);
        } else {
            null();
        }
        close_object(level);
    }
};

} // namespace

std::string save_map(const Map& map) {
    Writer writer;
    std::size_t ports = 0;
    for (const Switch& sw : map.switches) ports += sw.ports.size();
    writer.out.reserve(1024 + 160 * map.vlans.size() + 1024 * map.switches.size() + 320 * ports);
    writer.save(map);
    return std::move(writer.out);
}

} // namespace quarn
