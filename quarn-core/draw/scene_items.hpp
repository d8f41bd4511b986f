#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "draw/text_style.hpp"
#include "model/map.hpp"

namespace quarn {

// Scene units: one unit is one pixel at 100 percent zoom on a 96-dpi screen.

struct Rect {
    float x = 0.0f; // top-left corner
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    std::optional<Rgb> fill;    // none: not filled
    std::optional<Rgb> outline; // none: no outline
    float outline_width = 0.0f;

    bool operator==(const Rect&) const = default;
};

// A dashed line stands for a link that carries the chosen VLAN at one end
// only.
enum class LineStyle : std::uint8_t { Solid, Dashed };

struct Line {
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
    float width = 0.0f;
    Rgb color;
    LineStyle style = LineStyle::Solid;

    bool operator==(const Line&) const = default;
};

struct Text {
    std::string text; // UTF-8, one line
    float x = 0.0f;   // left edge, or the centre when centred
    float y = 0.0f;   // vertical centre of the line
    float size = 0.0f;
    FontWeight weight = FontWeight::Normal;
    TextAlign align = TextAlign::Left;
    Rgb color;

    bool operator==(const Text&) const = default;
};

// A `Text` as a scene keeps it: the words stay in the scene, so painting and
// writing a big picture copy none of them.
struct TextRef {
    std::string_view text;
    float x = 0.0f;
    float y = 0.0f;
    float size = 0.0f;
    FontWeight weight = FontWeight::Normal;
    TextAlign align = TextAlign::Left;
    Rgb color;
};

TextRef text_ref(const Text& text);

// List order is painting order.
using SceneItem = std::variant<Rect, Line, Text>;

// The item list of a scene. It reads as a list of `SceneItem` values, but
// keeps each item in 12 bytes: its position and the index of its looks (all
// fields but the position; a text's words among them), each kept once
// however many items share it. The VLAN breakdown of a big campus has about
// a million items, nearly all of them repeating the looks of a few place
// kinds and the labels of one switch's ports row after row.
class SceneItems {
  public:
    using Index = std::uint32_t;

    class const_iterator {
      public:
        using iterator_concept = std::random_access_iterator_tag;
        using iterator_category = std::input_iterator_tag; // items are made on reading
        using value_type = SceneItem;
        using difference_type = std::ptrdiff_t;
        using reference = SceneItem;
        using pointer = void;

        const_iterator() = default;
        SceneItem operator*() const { return (*items_)[index_]; }
        SceneItem operator[](difference_type n) const {
            return (*items_)[index_ + static_cast<std::size_t>(n)];
        }
        const_iterator& operator++() { return ++index_, *this; }
        const_iterator operator++(int) { return {items_, index_++}; }
        const_iterator& operator--() { return --index_, *this; }
        const_iterator operator--(int) { return {items_, index_--}; }
        const_iterator& operator+=(difference_type n) { return index_ += static_cast<std::size_t>(n), *this; }
        const_iterator& operator-=(difference_type n) { return index_ -= static_cast<std::size_t>(n), *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.index_ == b.index_;
        }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
            return a.index_ <=> b.index_;
        }

      private:
        friend class SceneItems;
        const_iterator(const SceneItems* items, std::size_t index) : items_(items), index_(index) {}
        const SceneItems* items_ = nullptr;
        std::size_t index_ = 0;
    };
    using iterator = const_iterator;
    using value_type = SceneItem;
    using size_type = std::size_t;

    SceneItems() = default;
    SceneItems(std::initializer_list<SceneItem> items);

    [[nodiscard]] std::size_t size() const noexcept { return entries_.size(); }
    [[nodiscard]] bool empty() const noexcept { return entries_.empty(); }
    // Items are made on reading, so these give values, not references.
    SceneItem operator[](std::size_t index) const;
    SceneItem front() const { return (*this)[0]; }
    SceneItem back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void push_back(const SceneItem& item);
    // Puts `item` in place of the item at `index`.
    void replace(std::size_t index, const SceneItem& item);
    // Room for `items` items, of which about `texts` texts of `text_bytes` bytes in all.
    void reserve(std::size_t items, std::size_t texts = 0, std::size_t text_bytes = 0) {
        entries_.reserve(items);
        words_.reserve(texts);
        text_.reserve(text_bytes);
    }
    void clear();
    // Gives back what the lists hold beyond their items, and the tables
    // that find looks (unless kept, for items that will be replaced): for
    // items that are kept long and added to no more.
    void shrink_to_fit(bool keep_lookup = false);

    // Calls `visitor` with a `Rect`, a `Line` or a `TextRef` for each item,
    // in list order.
    template <class Visitor>
    void visit(Visitor&& visitor) const;
    // The same, with every item `dy` lower.
    template <class Visitor>
    void visit_moved(Visitor&& visitor, float dy) const;

    // Appends the items of `part`, `dy` lower.
    void append(const SceneItems& part, float dy);

    // Bytes held for the items and their words.
    [[nodiscard]] std::size_t memory_bytes() const noexcept;

    // For builders: the looks and the words of items, each kept once and
    // named by an index, so that a builder that repeats an item's looks or
    // words works them out once.
    Index rect_look(float width, float height, std::optional<Rgb> fill, std::optional<Rgb> outline,
                    float outline_width);
    Index line_look(float x2, float y2, float width, Rgb color, LineStyle style = LineStyle::Solid);
    Index text_look(float size, FontWeight weight, TextAlign align, Rgb color);
    // The words are kept as given; a builder names repeated words by the index.
    Index add_words(std::string_view words);
    // A rectangle or a line at (x, y): the look says which.
    void add(Index look, float x, float y) { entries_.push_back({look, x, y}); }
    void add_text(Index look, Index words, float x, float y) {
        entries_.push_back({worded_look(look, words), x, y});
    }

    friend bool operator==(const SceneItems& a, const SceneItems& b);
    friend bool operator==(const SceneItems& a, const std::vector<SceneItem>& b);

  private:
    enum class Kind : std::uint8_t { Rect, Line, Text };
    enum Flags : std::uint8_t { HasFill = 1, HasOutline = 2, Bold = 4, Centred = 8, Dashed = 16 };

    // Rect: a width, b height, c outline width, one fill, two outline.
    // Line: a x2, b y2, c width, one colour, two the dash flag.
    // Text: a size, b the words, one colour. A builder repeats a text's
    // looks and words together row after row (a port's label in every
    // VLAN's row), so the pair is kept once and the items stay small.
    // Floats are kept by their bits, so that looks compare as the file
    // writes them (-0 is not 0), and colours as 0xrrggbb with the kind and
    // the flags in the top bytes.
    struct Look {
        std::uint32_t a = 0;
        std::uint32_t b = 0;
        std::uint32_t c = 0;
        std::uint32_t one = 0;
        std::uint32_t two = 0;

        bool operator==(const Look&) const = default;
        Kind kind() const { return static_cast<Kind>(one >> 24); }
        std::uint8_t flags() const { return static_cast<std::uint8_t>(two >> 24); }
    };
    static std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }
    static float number(std::uint32_t bits) { return std::bit_cast<float>(bits); }
    static std::uint32_t packed(Rgb color, std::uint8_t top) {
        return (std::uint32_t{top} << 24) | (std::uint32_t{color.red} << 16) |
               (std::uint32_t{color.green} << 8) | color.blue;
    }
    static Rgb color(std::uint32_t packed) {
        return {static_cast<std::uint8_t>(packed >> 16), static_cast<std::uint8_t>(packed >> 8),
                static_cast<std::uint8_t>(packed)};
    }

    struct Entry {
        Index look;
        float x;
        float y;
    };

    // Offsets into the text: a picture's words are far below 4 GiB.
    struct Words {
        std::uint32_t offset;
        std::uint32_t length;
    };

    static std::size_t hash(const Look& look) {
        return static_cast<std::size_t>((look.a * 0x9e3779b97f4a7c15ull ^ look.b * 0xc2b2ae3d27d4eb4full ^
                                         look.c * 0x165667b19e3779f9ull ^ look.one * 0xd6e8feb86659fd93ull ^
                                         look.two * 0xff51afd7ed558ccdull) >>
                                        32);
    }
    // Finds the look in the table, by open addressing; a slot holds a
    // look's index + 1, or 0 when free.
    Index look_index(const Look& look) {
        if (table_.size() < 2 * (looks_.size() + 1)) grow_table();
        const std::size_t mask = table_.size() - 1;
        for (std::size_t i = hash(look) & mask;; i = (i + 1) & mask) {
            Index& slot = table_[i];
            if (slot == 0) return new_look(look, slot);
            if (looks_[slot - 1] == look) return slot - 1;
        }
    }
    Index new_look(const Look& look, Index& slot);
    void grow_table();
    // The look of a text of `words` in the looks of `look`. A builder asks
    // for the same few pairs row after row, so the pairs asked for last are
    // kept by their two numbers in front of the table.
    Index worded_look(Index look, Index words) {
        if (pairs_.empty()) pairs_.resize(k_pairs);
        const std::uint64_t key = (std::uint64_t{look} << 32) | words;
        Pair& pair = pairs_[((key * 0x9e3779b97f4a7c15ull) >> 40) % k_pairs];
        if (pair.key == key && pair.look != 0) return pair.look - 1;
        Look worded = looks_[look];
        worded.b = words;
        const Index index = look_index(worded);
        pair = {key, index + 1};
        return index;
    }
    Entry entry_for(const SceneItem& item);
    std::string_view words(Index index) const {
        const Words& w = words_[index];
        return std::string_view(text_).substr(w.offset, w.length);
    }
    static Rect rect(const Entry& entry, const Look& look);
    static Line line(const Entry& entry, const Look& look);
    TextRef text(const Entry& entry, const Look& look) const;

    std::vector<Entry> entries_;
    std::vector<Look> looks_;
    std::vector<Words> words_;
    std::string text_;
    // Every look by its hash, while items are added; its size a power of 2.
    std::vector<Index> table_;
    struct Pair {
        std::uint64_t key = 0;
        Index look = 0; // index + 1, or 0 when empty
    };
    static constexpr std::size_t k_pairs = 1024;
    std::vector<Pair> pairs_;
};

template <class Visitor>
void SceneItems::visit_moved(Visitor&& visitor, float dy) const {
    if (dy == 0.0f) return visit(visitor);
    for (Entry entry : entries_) {
        const Look& look = looks_[entry.look];
        entry.y += dy;
        switch (look.kind()) {
        case Kind::Rect:
            visitor(rect(entry, look));
            break;
        case Kind::Line: {
            Line moved = line(entry, look);
            moved.y2 += dy;
            visitor(moved);
            break;
        }
        case Kind::Text:
            visitor(text(entry, look));
            break;
        }
    }
}

template <class Visitor>
void SceneItems::visit(Visitor&& visitor) const {
    for (const Entry& entry : entries_) {
        const Look& look = looks_[entry.look];
        switch (look.kind()) {
        case Kind::Rect:
            visitor(rect(entry, look));
            break;
        case Kind::Line:
            visitor(line(entry, look));
            break;
        case Kind::Text:
            visitor(text(entry, look));
            break;
        }
    }
}

inline SceneItems::Index SceneItems::rect_look(float width, float height, std::optional<Rgb> fill,
                                               std::optional<Rgb> outline, float outline_width) {
    const std::uint8_t flags = (fill ? HasFill : 0) | (outline ? HasOutline : 0);
    return look_index({bits(width), bits(height), bits(outline_width), packed(fill.value_or(Rgb{}), 0),
                       packed(outline.value_or(Rgb{}), flags)});
}

inline SceneItems::Index SceneItems::line_look(float x2, float y2, float width, Rgb color, LineStyle style) {
    const std::uint8_t flags = style == LineStyle::Dashed ? Dashed : 0;
    return look_index({bits(x2), bits(y2), bits(width), packed(color, static_cast<std::uint8_t>(Kind::Line)),
                       packed(Rgb{}, flags)});
}

inline SceneItems::Index SceneItems::text_look(float size, FontWeight weight, TextAlign align, Rgb color) {
    const std::uint8_t flags =
        (weight == FontWeight::Bold ? Bold : 0) | (align == TextAlign::Centre ? Centred : 0);
    return look_index(
        {bits(size), 0, 0, packed(color, static_cast<std::uint8_t>(Kind::Text)), packed(Rgb{}, flags)});
}

inline TextRef SceneItems::text(const Entry& entry, const Look& look) const {
    const std::uint8_t flags = look.flags();
    return {words(look.b),
            entry.x,
            entry.y,
            number(look.a),
            (flags & Bold) != 0 ? FontWeight::Bold : FontWeight::Normal,
            (flags & Centred) != 0 ? TextAlign::Centre : TextAlign::Left,
            color(look.one)};
}

inline Rect SceneItems::rect(const Entry& entry, const Look& look) {
    Rect r{entry.x, entry.y, number(look.a), number(look.b), std::nullopt, std::nullopt, number(look.c)};
    const std::uint8_t flags = look.flags();
    if (flags & HasFill) r.fill = color(look.one);
    if (flags & HasOutline) r.outline = color(look.two);
    return r;
}

inline Line SceneItems::line(const Entry& entry, const Look& look) {
    return {entry.x,
            entry.y,
            number(look.a),
            number(look.b),
            number(look.c),
            color(look.one),
            (look.flags() & Dashed) != 0 ? LineStyle::Dashed : LineStyle::Solid};
}

} // namespace quarn
