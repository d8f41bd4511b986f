#include "draw/scene_items.hpp"

#include <bit>

namespace quarn {
namespace {

std::uint32_t bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

std::uint32_t colour_bits(Rgb colour) {
    return (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
}

} // namespace

TextRef text_ref(const Text& text) {
    return {text.text, text.x, text.y, text.size, text.bold, text.centred, text.colour};
}

bool SceneItems::Look::same(const Look& other) const {
    return bits(a) == bits(other.a) && bits(b) == bits(other.b) && bits(c) == bits(other.c) &&
           one == other.one && two == other.two && kind == other.kind && flags == other.flags;
}

std::uint32_t SceneItems::Look::hash() const {
    std::uint64_t h = bits(a);
    h = h * 0x9e3779b97f4a7c15ull + bits(b);
    h = h * 0x9e3779b97f4a7c15ull + bits(c);
    h = h * 0x9e3779b97f4a7c15ull + colour_bits(one);
    h = h * 0x9e3779b97f4a7c15ull + ((std::uint64_t{colour_bits(two)} << 16) |
                                     (std::uint64_t{static_cast<std::uint8_t>(kind)} << 8) | flags);
    return static_cast<std::uint32_t>((h * 0x9e3779b97f4a7c15ull) >> 40);
}

SceneItems::Index SceneItems::look_index(const Look& look) {
    if (cache_.empty()) cache_.assign(k_cache, 0);
    Index& slot = cache_[look.hash() % k_cache];
    // A slot holds the index + 1 of the look last made with its hash.
    if (slot != 0 && looks_[slot - 1].same(look)) return slot - 1;
    looks_.push_back(look);
    const Index index = static_cast<Index>(looks_.size() - 1);
    slot = index + 1;
    return index;
}

SceneItems::Index SceneItems::rect_look(float width, float height, std::optional<Rgb> fill,
                                        std::optional<Rgb> outline, float outline_width) {
    Look look{width, height, outline_width, fill.value_or(Rgb{}), outline.value_or(Rgb{}), Kind::Rect, 0};
    if (fill) look.flags |= HasFill;
    if (outline) look.flags |= HasOutline;
    return look_index(look);
}

SceneItems::Index SceneItems::line_look(float x2, float y2, float width, Rgb colour) {
    return look_index({x2, y2, width, colour, Rgb{}, Kind::Line, 0});
}

SceneItems::Index SceneItems::text_look(float size, bool bold, bool centred, Rgb colour) {
    Look look{size, 0.0f, 0.0f, colour, Rgb{}, Kind::Text, 0};
    if (bold) look.flags |= Bold;
    if (centred) look.flags |= Centred;
    return look_index(look);
}

SceneItems::Index SceneItems::add_words(std::string_view words) {
    words_.push_back({text_.size(), words.size()});
    text_ += words;
    return static_cast<Index>(words_.size() - 1);
}

SceneItems::SceneItems(std::initializer_list<SceneItem> items) {
    reserve(items.size());
    for (const SceneItem& item : items) push_back(item);
}

namespace {

// The entry that an item becomes, made by the builder calls above.
struct Adder {
    SceneItems& items;

    void operator()(const Rect& r) {
        items.add(items.rect_look(r.width, r.height, r.fill, r.outline, r.outline_width), r.x, r.y);
    }
    void operator()(const Line& l) { items.add(items.line_look(l.x2, l.y2, l.width, l.colour), l.x1, l.y1); }
    void operator()(const Text& t) {
        items.add_text(items.text_look(t.size, t.bold, t.centred, t.colour), items.add_words(t.text), t.x,
                       t.y);
    }
};

} // namespace

void SceneItems::push_back(const SceneItem& item) {
    std::visit(Adder{*this}, item);
}

void SceneItems::replace(std::size_t index, const SceneItem& item) {
    push_back(item);
    entries_[index] = entries_.back();
    entries_.pop_back();
}

void SceneItems::clear() {
    entries_.clear();
    looks_.clear();
    words_.clear();
    text_.clear();
    cache_.clear();
}

SceneItem SceneItems::operator[](std::size_t index) const {
    const Entry& entry = entries_[index];
    const Look& look = looks_[entry.look];
    switch (look.kind) {
    case Kind::Rect:
        return rect(entry, look);
    case Kind::Line:
        return line(entry, look);
    case Kind::Text:
        break;
    }
    const TextRef t = text(entry, look);
    return Text{std::string(t.text), t.x, t.y, t.size, t.bold, t.centred, t.colour};
}

std::size_t SceneItems::memory_bytes() const noexcept {
    return entries_.capacity() * sizeof(Entry) + looks_.capacity() * sizeof(Look) +
           words_.capacity() * sizeof(Words) + text_.capacity() + cache_.capacity() * sizeof(Index);
}

bool operator==(const SceneItems& a, const SceneItems& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

bool operator==(const SceneItems& a, const std::vector<SceneItem>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

} // namespace quarn
