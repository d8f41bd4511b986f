#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <span>
#include <type_traits>
#include <unordered_set>

#include <nlohmann/json.hpp>

#include "common/message_text.hpp"
#include "model/json_text.hpp"
#include "model/map_fields.hpp"
#include "model/map_file.hpp"

namespace quarn {
namespace {

using json = nlohmann::json;

using namespace map_fields;

std::string_view expected_text(Kind kind) {
    switch (kind) {
    case Kind::U16:
        return "u16";
    case Kind::U32:
        return "u32";
    case Kind::F32:
        return "f32";
    case Kind::Text:
        return "a string";
    case Kind::Bool:
        return "a boolean";
    case Kind::Color:
        return "a #rrggbb colour";
    case Kind::PortKindName:
        return "enum PortKind";
    case Kind::NumberingName:
        return "enum Numbering";
    case Kind::MapRecord:
        return "struct Map";
    case Kind::HeaderRecord:
        return "struct Header";
    case Kind::VlanRecord:
        return "struct Vlan";
    case Kind::SwitchRecord:
        return "struct Switch";
    case Kind::GroupRecord:
        return "struct PortGroup";
    case Kind::PortRecord:
        return "struct Port";
    case Kind::PortPeerRecord:
        return "struct PortPeer";
    case Kind::LagRecord:
        return "struct Lag";
    case Kind::LagPeerRecord:
        return "struct LagPeer";
    default:
        return "an array";
    }
}

// The next JSON value is read as `kind` into `target`.
struct Expect {
    Kind kind = Kind::Skip;
    void* target = nullptr;
    bool nullable = false;
};

// One open object or array.
struct Frame {
    Kind kind = Kind::Skip;
    bool array_form = false;
    bool in_unknown = false; // the value of an unknown key comes next
    std::uint8_t field = 0;  // object form: the field whose value comes next
    std::uint8_t seen = 0;   // object form: one bit per field met
    std::uint32_t count = 0; // array form and lists: elements so far
    std::uint32_t unknown_begin = 0;
    void* target = nullptr;
};

// Where the JSON library has got to in the text. It reads one character at a
// time through TrackedIterator, so the reader knows at every event how far it
// has read.
//
// The library keeps every character it reads between two values (white
// space and brackets) for its error messages, and writes each line break
// there as "<U+000A>": a file of 50 MB of blank lines would cost hundreds of
// megabytes to refuse. So outside strings the library sees one character of
// each run of white space and the rest is stepped over, which changes
// nothing else about what the text means.
struct Cursor {
    const char* begin = nullptr;
    const char* at = nullptr; // the next character the library gets
    const char* end = nullptr;
    const char* last = nullptr; // just after the character handed out last
    const char* before_last = nullptr;
    std::size_t handed_out = 0; // characters the library has got
    bool in_string = false;
    bool escaped = false;

    static bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    void advance() {
        const char c = *at++;
        before_last = last;
        last = at;
        ++handed_out;
        if (in_string) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                in_string = false;
            }
        } else if (c == '"') {
            in_string = true;
        } else if (is_space(c)) {
            while (at != end && is_space(*at)) ++at;
        }
    }

    // Bytes of the text up to the library's count of characters read: the
    // count is one ahead when the library has read past the end, and one
    // behind when it has put back the character that ended a number.
    std::size_t offset_of(std::size_t count) const {
        const char* place = last;
        if (count > handed_out) place = end;
        if (count + 1 == handed_out && before_last != nullptr) place = before_last;
        if (count == 0) place = begin;
        return static_cast<std::size_t>(place - begin);
    }
};

// An input iterator over a Cursor; the iterator at the end has none.
class TrackedIterator {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedIterator(Cursor* cursor, const char* fixed) : cursor_(cursor), fixed_(fixed) {}

    reference operator*() const { return *cursor_->at; }
    TrackedIterator& operator++() {
        cursor_->advance();
        return *this;
    }
    TrackedIterator operator++(int) {
        TrackedIterator before = *this;
        cursor_->advance();
        return before;
    }
    bool operator==(const TrackedIterator& other) const { return where() == other.where(); }
    bool operator!=(const TrackedIterator& other) const { return where() != other.where(); }

  private:
    const char* where() const { return cursor_ != nullptr ? cursor_->at : fixed_; }

    Cursor* cursor_;
    const char* fixed_;
};

// Numbers and texts from the file are quoted in messages cut short, so that
// a 5,000-digit number or a 100,000-character name makes a short message.
std::string integer_text(std::string_view digits) {
    return "integer `" + quoted_input(digits) + "`";
}

std::string float_text(std::string_view raw) {
    return "floating point `" + quoted_input(raw) + "`";
}

// The library reads a NUL as the end of the text, so that nothing after it
// would be looked at; after the map it is refused as any other character.
constexpr std::string_view k_nul_text =
    "syntax error while parsing value - unexpected NUL character; expected end of input";

// Whether a key given twice among the unknown keys of an object is an
// error (the map) or not looked at (the header alone).
enum class UnknownKeys : std::uint8_t { Checked, Ignored };

// Reads the records straight from the JSON library's event stream (SAX): no
// document tree, so memory stays small and every problem is met where it
// stands in the text. Nothing here recurses; nesting is a stack of frames.
class Reader {
  public:
    using number_integer_t = json::number_integer_t;
    using number_unsigned_t = json::number_unsigned_t;
    using number_float_t = json::number_float_t;
    using string_t = json::string_t;
    using binary_t = json::binary_t;

    Reader(std::string_view text, Kind root, void* root_target, UnknownKeys unknown_keys)
        : text_(text), cursor_{text.data(), text.data(), text.data() + text.size()}, root_{root, root_target,
                                                                                           false},
          check_unknown_keys_(unknown_keys == UnknownKeys::Checked) {}

    // True when the text was read whole without a problem.
    bool run() {
        TrackedIterator first(&cursor_, nullptr);
        TrackedIterator last(nullptr, cursor_.end);
        bool ok = json::sax_parse(first, last, this, json::input_format_t::json, true);
        if (ok && !error_ && cursor_.last != nullptr && cursor_.last[-1] == '\0') {
            consumed_override_ = static_cast<std::size_t>(cursor_.last - text_.data());
            fail(JsonProblem::Syntax, std::string(k_nul_text));
        }
        return ok && !error_;
    }

    const JsonError& error() const { return *error_; }

    // The SAX interface.
    bool null() {
        Expect expect;
        if (!next(expect)) return false;
        if (expect.kind == Kind::Skip) return true;
        if (expect.nullable) {
            if (expect.kind == Kind::U16) static_cast<std::optional<std::uint16_t>*>(expect.target)->reset();
            visit_type(expect.kind, [&](auto type) {
                using T = typename decltype(type)::type;
                if constexpr (!k_is_list<T>) static_cast<std::optional<T>*>(expect.target)->reset();
            });
            return true;
        }
        return invalid_type("null", expect.kind);
    }

    bool boolean(bool value) {
        Expect expect;
        if (!next(expect)) return false;
        if (expect.kind == Kind::Skip) return true;
        if (expect.kind == Kind::Bool) {
            *static_cast<bool*>(expect.target) = value;
            return true;
        }
        return invalid_type(value ? "boolean `true`" : "boolean `false`", expect.kind);
    }

    bool number_unsigned(number_unsigned_t value) {
        NumberScope scope(in_number_);
        Expect expect;
        if (!next(expect)) return false;
        return unsigned_value(expect, value, [&] { return integer_text(std::to_string(value)); });
    }

    bool number_integer(number_integer_t value) {
        NumberScope scope(in_number_);
        Expect expect;
        if (!next(expect)) return false;
        // As written: "-0" is a negative integer to the user, not 0.
        const std::string raw(number_as_written());
        switch (expect.kind) {
        case Kind::Skip:
            return true;
        case Kind::U16:
        case Kind::U32:
            return invalid_value(integer_text(raw), expect.kind);
        case Kind::F32:
            return store_float(expect, static_cast<double>(value), raw);
        default:
            return invalid_type(integer_text(raw), expect.kind);
        }
    }

    bool number_float(number_float_t value, const string_t& raw) {
        NumberScope scope(in_number_);
        Expect expect;
        if (!next(expect)) return false;
        // Integers too long for 64 bits come here too; they are still
        // integers to the user.
        bool integral = raw.find_first_of(".eE") == string_t::npos;
        std::string found = integral ? integer_text(raw) : float_text(raw);
        switch (expect.kind) {
        case Kind::Skip:
            return true;
        case Kind::U16:
        case Kind::U32:
            if (integral) return invalid_value(found, expect.kind);
            return invalid_type(found, expect.kind);
        case Kind::F32:
            return store_float(expect, value, raw);
        default:
            return invalid_type(found, expect.kind);
        }
    }

    bool string(string_t& value) {
        Expect expect;
        if (!next(expect)) return false;
        switch (expect.kind) {
        case Kind::Skip:
            return true;
        case Kind::Text:
            *static_cast<std::string*>(expect.target) = std::move(value);
            return true;
        case Kind::Color: {
            auto color = parse_rgb(value);
            if (!color) return fail(JsonProblem::Refused, color.error());
            *static_cast<Rgb*>(expect.target) = color.value();
            return true;
        }
        case Kind::PortKindName:
            return enum_value<PortKind>(expect, value);
        case Kind::NumberingName:
            return enum_value<Numbering>(expect, value);
        default: {
            std::string found = "string ";
            json_text::append_string(found, quoted_input(value));
            return invalid_type(found, expect.kind);
        }
        }
    }

    bool binary(binary_t&) { return fail(JsonProblem::Syntax, "binary values are not JSON"); }

    bool start_object(std::size_t) {
        if (!deeper()) return false;
        Expect expect;
        if (!next(expect)) return false;
        if (expect.kind == Kind::Skip) return push({.kind = Kind::Skip});
        if (!is_record(expect.kind)) return invalid_type("object", expect.kind);
        return push({.kind = expect.kind, .target = record_target(expect)});
    }

    bool key(string_t& name) {
        Frame& frame = stack_.back();
        if (frame.kind == Kind::Skip) return true;
        const auto fields = record_of(frame.kind).fields;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].name == name) {
                auto bit = static_cast<std::uint8_t>(1u << i);
                if (frame.seen & bit) return fail(JsonProblem::DuplicateField, std::string(name));
                frame.seen |= bit;
                frame.field = static_cast<std::uint8_t>(i);
                frame.in_unknown = false;
                return true;
            }
        }
        frame.in_unknown = true;
        if (check_unknown_keys_) {
            // Keyed by the object's depth, so that a file with very many
            // unknown keys stays linear.
            std::string entry = std::to_string(stack_.size()) + ':' + name;
            if (!unknown_key_set_.insert(entry).second)
                return fail(JsonProblem::DuplicateField, quoted_input(name));
            unknown_keys_.push_back(std::move(entry));
        }
        return true;
    }

    bool end_object() {
        Frame frame = pop();
        if (frame.kind == Kind::Skip) return true;
        const auto fields = record_of(frame.kind).fields;
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].presence == Presence::Required && !(frame.seen & (1u << i)))
                return fail(JsonProblem::MissingField, std::string(fields[i].name));
        return true;
    }

    bool start_array(std::size_t) {
        if (!deeper()) return false;
        Expect expect;
        if (!next(expect)) return false;
        if (expect.kind == Kind::Skip) return push({.kind = Kind::Skip});
        if (is_list(expect.kind)) return push({.kind = expect.kind, .target = expect.target});
        if (is_record(expect.kind))
            return push({.kind = expect.kind, .array_form = true, .target = record_target(expect)});
        return invalid_type("array", expect.kind);
    }

    bool end_array() {
        Frame frame = pop();
        if (!frame.array_form) return true;
        const Record record = record_of(frame.kind);
        std::size_t most = record.fields.size();
        std::size_t least = most;
        while (least > 0 && record.fields[least - 1].presence == Presence::Optional) --least;
        // A header in array form looks at its first value only, as a header
        // in object form looks at "format" only.
        if (frame.kind == Kind::HeaderRecord) most = std::numeric_limits<std::size_t>::max();
        if (frame.count >= least && frame.count <= most) return true;
        std::string expected = "struct " + std::string(record.name) + " with " + std::to_string(least);
        if (frame.kind == Kind::HeaderRecord)
            expected += " or more";
        else if (most != least)
            expected += " or " + std::to_string(most);
        expected += least == 1 && most == 1 ? " element" : " elements";
        return fail(JsonProblem::InvalidLength, std::to_string(frame.count), expected);
    }

    bool parse_error(std::size_t position, const std::string& last_read,
                     const nlohmann::detail::exception& problem) {
        consumed_override_ = cursor_.offset_of(position);
        // The library's sentence without its "[json.exception...] parse
        // error at line 1, column 2: " preamble; the position is ours.
        std::string sentence = problem.what();
        if (auto start = sentence.find("] "); start != std::string::npos) sentence.erase(0, start + 2);
        if (sentence.starts_with("parse error")) {
            if (auto colon = sentence.find(": "); colon != std::string::npos) sentence.erase(0, colon + 2);
        }
        // The library takes a NUL for the end of the text; in a file it is
        // a character that has no place there.
        constexpr std::string_view k_end = "unexpected end of input";
        if (*consumed_override_ > 0 && text_[*consumed_override_ - 1] == '\0') {
            if (auto at = sentence.find(k_end); at != std::string::npos)
                sentence.replace(at, k_end.size(), "unexpected NUL character");
        }
        // What was read can be a whole long string or number, quoted with
        // its bytes that are not UTF-8 as they are. The end of what was read
        // is where the error is; a number too big keeps its start.
        const std::string read_text = "last read: '" + last_read + "'";
        if (last_read.empty()) {
        } else if (auto at = sentence.find(read_text); at != std::string::npos) {
            sentence.replace(at, read_text.size(),
                             "last read: '" + quoted_input(last_read, KeepEnd::Finish) + "'");
        } else if (auto found = sentence.find(last_read); found != std::string::npos) {
            sentence.replace(found, last_read.size(), quoted_input(last_read));
        }
        fail(JsonProblem::Syntax, sentence);
        return false;
    }

  private:
    struct NumberScope {
        explicit NumberScope(bool& flag) : flag_(flag) { flag_ = true; }
        ~NumberScope() { flag_ = false; }
        bool& flag_;
    };

    // Decides what the next value is read as, adding an element to a list.
    bool next(Expect& expect) {
        if (stack_.empty()) {
            expect = root_;
            return true;
        }
        Frame& frame = stack_.back();
        if (frame.kind == Kind::Skip) {
            expect = {};
            return true;
        }
        if (is_list(frame.kind)) {
            ++frame.count;
            expect = list_element(frame.kind, frame.target);
            return true;
        }
        std::size_t index = frame.field;
        if (frame.array_form) {
            index = frame.count++;
            if (index >= record_of(frame.kind).fields.size()) {
                expect = {};
                return true;
            }
        } else if (frame.in_unknown) {
            expect = {};
            return true;
        }
        const Field& field = record_of(frame.kind).fields[index];
        expect = {field.kind, field.target(frame.target), field.nullable};
        return true;
    }

    static Expect list_element(Kind list, void* target) {
        Expect element;
        visit_type(list, [&](auto type) {
            using T = typename decltype(type)::type;
            if constexpr (k_is_list<T>)
                element = {kind_of<typename T::value_type>(), &static_cast<T*>(target)->emplace_back()};
        });
        return element;
    }

    // An optional record comes into being when its object or array starts.
    static void* record_target(const Expect& expect) {
        if (!expect.nullable) return expect.target;
        void* record = nullptr;
        visit_type(expect.kind, [&](auto type) {
            using T = typename decltype(type)::type;
            if constexpr (!k_is_list<T>) record = &static_cast<std::optional<T>*>(expect.target)->emplace();
        });
        return record;
    }

    // An enum value by its name; a name it lacks is refused with all of them.
    template <class Enum>
    bool enum_value(const Expect& expect, const std::string& value) {
        const auto names = names_of<Enum>();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (value == names[i]) {
                *static_cast<Enum*>(expect.target) = static_cast<Enum>(i);
                return true;
            }
        }
        std::string expected = "one of ";
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i > 0) expected += ", ";
            expected += '`';
            expected += names[i];
            expected += '`';
        }
        return fail(JsonProblem::UnknownVariant, quoted_input(value), std::move(expected));
    }

    template <class Found>
    bool unsigned_value(const Expect& expect, std::uint64_t value, Found found) {
        switch (expect.kind) {
        case Kind::Skip:
            return true;
        case Kind::U16:
            if (value > 0xffff) return invalid_value(found(), expect.kind);
            if (expect.nullable)
                *static_cast<std::optional<std::uint16_t>*>(expect.target) =
                    static_cast<std::uint16_t>(value);
            else
                *static_cast<std::uint16_t*>(expect.target) = static_cast<std::uint16_t>(value);
            return true;
        case Kind::U32:
            if (value > 0xffffffffu) return invalid_value(found(), expect.kind);
            *static_cast<std::uint32_t*>(expect.target) = static_cast<std::uint32_t>(value);
            return true;
        case Kind::F32:
            return store_float(expect, static_cast<double>(value), std::to_string(value));
        default:
            return invalid_type(found(), expect.kind);
        }
    }

    // A gap must be a finite 32-bit float; 1e39 is a valid JSON number but
    // has no float value, and an infinite gap would wreck every drawing.
    bool store_float(const Expect& expect, double value, const std::string& raw) {
        // Values from FLT_MAX up to half a unit above it still round to it.
        constexpr double k_limit = static_cast<double>(FLT_MAX) + 0x1p103;
        if (!(std::fabs(value) < k_limit)) {
            bool integral = raw.find_first_of(".eE") == std::string::npos;
            return fail(JsonProblem::InvalidValue, (integral ? integer_text(raw) : float_text(raw)),
                        "a finite f32");
        }
        double clamped =
            std::fmin(std::fmax(value, -static_cast<double>(FLT_MAX)), static_cast<double>(FLT_MAX));
        *static_cast<float*>(expect.target) = static_cast<float>(clamped);
        return true;
    }

    bool deeper() {
        if (stack_.size() >= k_max_json_depth) return fail(JsonProblem::RecursionLimit, "");
        return true;
    }

    bool push(Frame frame) {
        frame.unknown_begin = static_cast<std::uint32_t>(unknown_keys_.size());
        stack_.push_back(frame);
        return true;
    }

    Frame pop() {
        Frame frame = stack_.back();
        stack_.pop_back();
        for (std::size_t i = frame.unknown_begin; i < unknown_keys_.size(); ++i)
            unknown_key_set_.erase(unknown_keys_[i]);
        unknown_keys_.resize(frame.unknown_begin);
        return frame;
    }

    bool invalid_type(std::string found, Kind expected) {
        return fail(JsonProblem::InvalidType, std::move(found), std::string(expected_text(expected)));
    }
    bool invalid_value(std::string found, Kind expected) {
        return fail(JsonProblem::InvalidValue, std::move(found), std::string(expected_text(expected)));
    }

    bool fail(JsonProblem problem, std::string detail, std::string expected = {}) {
        if (error_) return false;
        std::size_t consumed = consumed_override_ ? *consumed_override_ : read_so_far();
        auto position = json_text::position_of(text_, consumed);
        error_ = JsonError{problem, std::move(detail), std::move(expected), position.line, position.column};
        return false;
    }

    // The text of the number just read, as the file spells it: the number's
    // characters back from where reading stopped.
    std::string_view number_as_written() const {
        const std::size_t end = read_so_far();
        std::size_t start = end;
        constexpr std::string_view k_number_characters = "0123456789+-.eE";
        while (start > 0 && k_number_characters.find(text_[start - 1]) != std::string_view::npos) --start;
        return text_.substr(start, end - start);
    }

    // Bytes the reader has consumed. To see a number end, the library reads
    // the character after it and keeps it for later; while a number is being
    // judged, that character does not count as consumed yet.
    std::size_t read_so_far() const {
        auto read = cursor_.offset_of(cursor_.handed_out);
        if (in_number_ && read > 0 && (text_[read - 1] < '0' || text_[read - 1] > '9')) --read;
        return read;
    }

    std::string_view text_;
    Cursor cursor_;
    Expect root_;
    bool check_unknown_keys_;
    std::vector<Frame> stack_;
    // Unknown keys of the open objects, to find one given twice.
    std::vector<std::string> unknown_keys_;
    std::unordered_set<std::string> unknown_key_set_;
    std::optional<JsonError> error_;
    std::optional<std::size_t> consumed_override_;
    bool in_number_ = false;
};

// Reads `text` as the record `kind` into `target`; gives the JSON error.
std::optional<JsonError> read_json(std::string_view text, Kind kind, void* target, UnknownKeys unknown_keys) {
    try {
        Reader reader(text, kind, target, unknown_keys);
        if (reader.run()) return std::nullopt;
        return reader.error();
    } catch (const std::bad_alloc&) {
        return JsonError{JsonProblem::OutOfMemory};
    } catch (const std::exception& problem) {
        return JsonError{JsonProblem::Syntax, problem.what()};
    }
}

} // namespace

Result<Header> load_header(std::string_view text) {
    Header header;
    if (auto error = read_json(text, Kind::HeaderRecord, &header, UnknownKeys::Ignored))
        return Result<Header>::failure(not_readable_text(*error));
    return header;
}

Result<Map> load_map(std::string_view text) {
    // The header decides first whether the file can be read at all. Reading
    // it costs a second pass over the text, so it is only read on its own
    // when the map fails: a text that reads as a map reads as the same
    // header.
    Map map;
    auto map_error = read_json(text, Kind::MapRecord, &map, UnknownKeys::Checked);
    if (map_error) {
        Header header;
        if (auto header_error = read_json(text, Kind::HeaderRecord, &header, UnknownKeys::Ignored))
            return Result<Map>::failure(not_readable_text(*header_error));
        if (header.format > 1) return Result<Map>::failure(newer_format_text(header.format));
        return Result<Map>::failure(not_readable_text(*map_error));
    }
    if (map.format > 1) return Result<Map>::failure(newer_format_text(map.format));
    if (auto damage = find_damage(map)) return Result<Map>::failure(damaged_text(*damage));
    return map;
}

} // namespace quarn
