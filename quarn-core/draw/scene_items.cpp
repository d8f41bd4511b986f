#include "draw/scene_items.hpp"

namespace quarn {

TextRef text_ref(const Text& text) {
    return {text.text, text.x, text.y, text.size, text.weight, text.align, text.color};
}

SceneItems::Index SceneItems::new_look(const Look& look, Index& slot) {
    looks_.push_back(look);
    const Index index = static_cast<Index>(looks_.size() - 1);
    slot = index + 1;
    return index;
}

void SceneItems::grow_table() {
    std::size_t size = 64;
    while (size < 4 * (looks_.size() + 1)) size *= 2;
    table_.assign(size, 0);
    for (std::size_t look = 0; look < looks_.size(); ++look) {
        std::size_t i = hash(looks_[look]) & (size - 1);
        while (table_[i] != 0) i = (i + 1) & (size - 1);
        table_[i] = static_cast<Index>(look + 1);
    }
}

SceneItems::Index SceneItems::add_words(std::string_view words) {
    words_.push_back({static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(words.size())});
    text_ += words;
    return static_cast<Index>(words_.size() - 1);
}

SceneItems::SceneItems(std::initializer_list<SceneItem> items) {
    reserve(items.size());
    for (const SceneItem& item : items) push_back(item);
}

// The entry that an item becomes, its looks and words kept as a builder
// would keep them.
SceneItems::Entry SceneItems::entry_for(const SceneItem& item) {
    if (const Rect* r = std::get_if<Rect>(&item))
        return {rect_look(r->width, r->height, r->fill, r->outline, r->outline_width), r->x, r->y};
    if (const Line* l = std::get_if<Line>(&item))
        return {line_look(l->x2, l->y2, l->width, l->color, l->style), l->x1, l->y1};
    const Text& t = std::get<Text>(item);
    Look look = looks_[text_look(t.size, t.weight, t.align, t.color)];
    look.b = add_words(t.text);
    return {look_index(look), t.x, t.y};
}

void SceneItems::push_back(const SceneItem& item) {
    entries_.push_back(entry_for(item));
}

void SceneItems::replace(std::size_t index, const SceneItem& item) {
    // A text that keeps its words keeps them where they are, so that an
    // item put in place again and again does not add its words each time.
    if (const Text* t = std::get_if<Text>(&item)) {
        const Look old = looks_[entries_[index].look];
        if (old.kind() == Kind::Text && words(old.b) == t->text) {
            Look look = looks_[text_look(t->size, t->weight, t->align, t->color)];
            look.b = old.b;
            entries_[index] = {look_index(look), t->x, t->y};
            return;
        }
    }
    entries_[index] = entry_for(item);
}

void SceneItems::append(const SceneItems& part, float dy) {
    // A line keeps its far end in its looks, so a moved line has looks of
    // its own; a text's words are numbered after the words already here.
    const Index words_base = static_cast<Index>(words_.size());
    std::vector<Index> looks(part.looks_.size());
    for (std::size_t i = 0; i < looks.size(); ++i) {
        Look look = part.looks_[i];
        if (dy != 0.0f && look.kind() == Kind::Line) look.b = bits(number(look.b) + dy);
        if (look.kind() == Kind::Text) look.b += words_base;
        looks[i] = look_index(look);
    }
    for (const Words& w : part.words_)
        words_.push_back({w.offset + static_cast<std::uint32_t>(text_.size()), w.length});
    text_ += part.text_;
    for (const Entry& entry : part.entries_)
        entries_.push_back({looks[entry.look], entry.x, dy == 0.0f ? entry.y : entry.y + dy});
}

void SceneItems::shrink_to_fit(bool keep_lookup) {
    entries_.shrink_to_fit();
    looks_.shrink_to_fit();
    words_.shrink_to_fit();
    text_.shrink_to_fit();
    if (keep_lookup) return;
    table_.clear();
    table_.shrink_to_fit();
    pairs_.clear();
    pairs_.shrink_to_fit();
}

void SceneItems::clear() {
    entries_.clear();
    looks_.clear();
    words_.clear();
    text_.clear();
    table_.clear();
    pairs_.clear();
}

SceneItem SceneItems::operator[](std::size_t index) const {
    const Entry& entry = entries_[index];
    const Look& look = looks_[entry.look];
    switch (look.kind()) {
    case Kind::Rect:
        return rect(entry, look);
    case Kind::Line:
        return line(entry, look);
    case Kind::Text:
        break;
    }
    const TextRef t = text(entry, look);
    return Text{std::string(t.text), t.x, t.y, t.size, t.weight, t.align, t.color};
}

std::size_t SceneItems::memory_bytes() const noexcept {
    return entries_.capacity() * sizeof(Entry) + looks_.capacity() * sizeof(Look) +
           words_.capacity() * sizeof(Words) + text_.capacity() + table_.capacity() * sizeof(Index) +
           pairs_.capacity() * sizeof(Pair);
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
