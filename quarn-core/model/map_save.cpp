#include <charconv>
#include <cmath>

#include "model/json_text.hpp"
#include "model/map_fields.hpp"
#include "model/map_file.hpp"

namespace quarn {
namespace {

using namespace map_fields;

// Writes the text directly, in exactly the layout of the JSON library's
// pretty printer with an indent of two, without building a document tree:
// saving a large map must not stall the program. Every field of every record
// is written, in the order of the reader's field tables.
class Writer {
  public:
    std::string out;

    void save(const Map& map) { record(0, Kind::MapRecord, &map); }

  private:
    void newline(int level) {
        out += '\n';
        out.append(static_cast<std::size_t>(level) * 2, ' ');
    }

    void record(int level, Kind kind, const void* record) {
        const auto fields = record_of(kind).fields;
        out += '{';
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) out += ',';
            newline(level + 1);
            out += '"';
            out += fields[i].name;
            out += "\": ";
            value(level + 1, fields[i].kind, fields[i].nullable, fields[i].source(record));
        }
        newline(level);
        out += '}';
    }

    template <class T>
    void list(int level, const std::vector<T>& items) {
        if (items.empty()) {
            out += "[]";
            return;
        }
        out += '[';
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0) out += ',';
            newline(level + 1);
            value(level + 1, kind_of<T>(), false, &items[i]);
        }
        newline(level);
        out += ']';
    }

    void value(int level, Kind kind, bool nullable, const void* at) {
        if (nullable) {
            at = inside(kind, at);
            if (at == nullptr) {
                out += "null";
                return;
            }
        }
        switch (kind) {
        case Kind::U16:
            return number(*static_cast<const std::uint16_t*>(at));
        case Kind::U32:
            return number(*static_cast<const std::uint32_t*>(at));
        case Kind::F32: {
            // A gap that is not a finite number would be written as null,
            // which no reader accepts as a gap; the file would never open
            // again. No gap is the one safe value.
            const float gap = *static_cast<const float*>(at);
            return json_text::append_float(out, std::isfinite(gap) ? gap : 0.0f);
        }
        case Kind::Text:
            return json_text::append_string(out, *static_cast<const std::string*>(at));
        case Kind::Bool:
            out += *static_cast<const bool*>(at) ? "true" : "false";
            return;
        case Kind::Color:
            return json_text::append_string(out, rgb_text(*static_cast<const Rgb*>(at)));
        case Kind::PortKindName:
            return name<PortKind>(at);
        case Kind::NumberingName:
            return name<Numbering>(at);
        default:
            break;
        }
        if (is_record(kind)) return record(level, kind, at);
        visit_type(kind, [&](auto type) {
            using T = typename decltype(type)::type;
            if constexpr (k_is_list<T>) list(level, *static_cast<const T*>(at));
        });
    }

    // The value an optional holds, nullptr for none.
    static const void* inside(Kind kind, const void* optional) {
        const void* held = nullptr;
        auto open = [&]<class T>(const std::optional<T>* value) {
            if (value->has_value()) held = &**value;
        };
        if (kind == Kind::U16) open(static_cast<const std::optional<std::uint16_t>*>(optional));
        visit_type(kind, [&](auto type) {
            using T = typename decltype(type)::type;
            if constexpr (!k_is_list<T>) open(static_cast<const std::optional<T>*>(optional));
        });
        return held;
    }

    void number(std::uint64_t value) {
        char digits[24];
        auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
        (void)error;
        out.append(digits, end);
    }

    // A value out of the enum's range is written as a name all the same, so
    // that the file opens again.
    template <class Enum>
    void name(const void* at) {
        const auto names = names_of<Enum>();
        out += '"';
        out += names[static_cast<std::size_t>(*static_cast<const Enum*>(at)) % names.size()];
        out += '"';
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
