// libFuzzer target for the CSV and SVG writers: the input bytes drive a
// random map (texts with control characters and bytes that are not UTF-8,
// any float as a gap, ports that the groups do not hold, links and LAGs that
// lead anywhere). Every CSV must parse into rows of ten fields, none of them
// raw control characters or a formula; every SVG must be well-formed XML
// whose numbers are finite and whose shapes stay inside the picture.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8.hpp"
#include "draw/scene.hpp"
#include "export/csv.hpp"
#include "export/svg.hpp"

namespace quarn {
namespace {

std::string random_text(FuzzedDataProvider& data) {
    return data.ConsumeRandomLengthString(24);
}

Map random_map(FuzzedDataProvider& data) {
    Map map;
    map.site = random_text(data);
    const std::size_t vlans = data.ConsumeIntegralInRange<std::size_t>(0, 6);
    for (std::size_t i = 0; i < vlans; ++i)
        map.vlans.push_back(
            Vlan{data.ConsumeIntegralInRange<std::uint16_t>(0, 4100), random_text(data),
                 Rgb{data.ConsumeIntegral<std::uint8_t>(), data.ConsumeIntegral<std::uint8_t>(),
                     data.ConsumeIntegral<std::uint8_t>()}});
    const std::size_t switches = data.ConsumeIntegralInRange<std::size_t>(0, 4);
    for (std::size_t s = 0; s < switches; ++s) {
        Switch sw;
        sw.name = random_text(data);
        sw.location = random_text(data);
        const std::size_t groups = data.ConsumeIntegralInRange<std::size_t>(0, 4);
        std::size_t places = 0;
        for (std::size_t g = 0; g < groups; ++g) {
            PortGroup group;
            group.kind = static_cast<PortKind>(data.ConsumeIntegralInRange<int>(0, 2));
            group.columns = data.ConsumeIntegralInRange<std::uint16_t>(0, 30);
            group.rows = data.ConsumeIntegralInRange<std::uint16_t>(0, 3);
            group.numbering = data.ConsumeBool() ? Numbering::Rows : Numbering::OddTop;
            group.block = data.ConsumeIntegralInRange<std::uint16_t>(0, 8);
            // Any bit pattern: huge, negative, infinite and NaN gaps too.
            group.gap_after = data.ConsumeBool() ? data.ConsumeFloatingPoint<float>()
                                                 : data.ConsumeFloatingPointInRange<float>(-2.0f, 4.0f);
            places += static_cast<std::size_t>(group.columns) * group.rows;
            sw.groups.push_back(group);
        }
        const std::size_t ports =
            data.ConsumeBool() ? places : data.ConsumeIntegralInRange<std::size_t>(0, places + 3);
        for (std::size_t p = 0; p < ports && p < 200; ++p) {
            Port port;
            port.label = data.ConsumeBool() ? std::to_string(p + 1) : random_text(data);
            if (data.ConsumeBool()) port.untagged = data.ConsumeIntegralInRange<std::uint16_t>(0, 4100);
            const std::size_t tagged = data.ConsumeIntegralInRange<std::size_t>(0, 3);
            for (std::size_t t = 0; t < tagged; ++t)
                port.tagged.push_back(data.ConsumeIntegralInRange<std::uint16_t>(0, 4100));
            port.description = random_text(data);
            port.disabled = data.ConsumeBool();
            if (data.ConsumeIntegralInRange<int>(0, 5) == 0)
                port.link = PortPeer{random_text(data), random_text(data)};
            sw.ports.push_back(std::move(port));
        }
        const std::size_t lags = data.ConsumeIntegralInRange<std::size_t>(0, 2);
        for (std::size_t l = 0; l < lags; ++l) {
            Lag lag;
            lag.name = random_text(data);
            const std::size_t members = data.ConsumeIntegralInRange<std::size_t>(0, 3);
            for (std::size_t m = 0; m < members; ++m) {
                if (!sw.ports.empty() && data.ConsumeBool()) {
                    lag.members.push_back(
                        sw.ports[data.ConsumeIntegralInRange<std::size_t>(0, sw.ports.size() - 1)].label);
                } else {
                    lag.members.push_back(random_text(data));
                }
            }
            if (data.ConsumeBool()) lag.peer = LagPeer{random_text(data), random_text(data)};
            sw.lags.push_back(std::move(lag));
        }
        map.switches.push_back(std::move(sw));
    }
    return map;
}

void require(bool condition) {
    if (!condition) std::abort();
}

// Parses the CSV as a spreadsheet does (RFC 4180 with the given separator)
// and checks every row and field.
void check_csv(std::string_view csv, std::string_view separator, std::size_t expected_rows) {
    require(csv.starts_with("\xef\xbb\xbf"));
    require(is_valid_utf8(csv));
    csv.remove_prefix(3);
    std::size_t rows = 0;
    std::size_t i = 0;
    while (i < csv.size()) {
        std::size_t fields = 0;
        for (;;) {
            std::string field;
            if (i < csv.size() && csv[i] == '"') {
                ++i;
                for (;;) {
                    require(i < csv.size());
                    if (csv[i] == '"') {
                        if (i + 1 < csv.size() && csv[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    field += csv[i++];
                }
            } else {
                while (i < csv.size() && csv.compare(i, separator.size(), separator) != 0 && csv[i] != '\r' &&
                       csv[i] != '\n') {
                    require(csv[i] != '"');
                    field += csv[i++];
                }
            }
            ++fields;
            for (unsigned char c : field)
                require(c >= 0x20 ? c != 0x7f : c == '\t' || c == '\n' || c == '\r');
            // A field that starts like a formula must carry the apostrophe.
            if (!field.empty()) {
                const char first = field[0];
                require(first != '=' && first != '+' && first != '-' && first != '@' && first != '\t' &&
                        first != '\r');
            }
            if (csv.compare(i, separator.size(), separator) == 0) {
                i += separator.size();
                continue;
            }
            require(csv.compare(i, 2, "\r\n") == 0);
            i += 2;
            break;
        }
        require(fields == 10);
        ++rows;
    }
    require(rows == expected_rows);
}

// Well-formed XML for the shapes the writer makes: the svg element holding
// empty rect and line elements and text elements with text content only.
void check_svg(std::string_view svg, const Scene& scene) {
    require(is_valid_utf8(svg));
    require(svg.starts_with("<svg ") && svg.ends_with("</svg>\n"));
    std::size_t i = 0;
    int depth = 0;
    bool text_open = false;
    while (i < svg.size()) {
        if (svg[i] == '<') {
            const std::size_t end = svg.find('>', i);
            require(end != std::string_view::npos);
            std::string_view tag = svg.substr(i + 1, end - i - 1);
            i = end + 1;
            if (tag.starts_with('/')) {
                require(tag == "/svg" ? depth == 1 && !text_open : tag == "/text" && text_open);
                if (tag == "/svg") --depth;
                text_open = false;
                continue;
            }
            require(!text_open);
            const bool empty = tag.ends_with('/');
            if (empty) tag.remove_suffix(1);
            const std::size_t space = tag.find(' ');
            const std::string_view name = tag.substr(0, space);
            require(name == "svg" ? depth == 0 && !empty : depth == 1 && (name == "text") != empty);
            require(name == "svg" || name == "rect" || name == "line" || name == "text");
            // Attributes: name="value" with values free of markup; numbers
            // are finite plain decimals.
            std::string_view rest = space == std::string_view::npos ? std::string_view() : tag.substr(space);
            while (!rest.empty()) {
                require(rest[0] == ' ');
                const std::size_t equals = rest.find("=\"");
                require(equals != std::string_view::npos && equals > 1);
                const std::size_t close = rest.find('"', equals + 2);
                require(close != std::string_view::npos);
                const std::string_view value = rest.substr(equals + 2, close - equals - 2);
                require(value.find_first_of("<>&") == std::string_view::npos);
                if (!value.empty() && (value[0] == '-' || (value[0] >= '0' && value[0] <= '9')))
                    require(value.find_first_not_of("0123456789.- ") == std::string_view::npos);
                rest.remove_prefix(close + 1);
            }
            if (name == "svg") ++depth;
            if (name == "text") text_open = true;
            continue;
        }
        if (svg[i] == '&') {
            const std::size_t end = svg.find(';', i);
            require(end != std::string_view::npos);
            const std::string_view entity = svg.substr(i, end - i + 1);
            require(entity == "&amp;" || entity == "&lt;" || entity == "&gt;");
            i = end + 1;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(svg[i]);
        // XML 1.0 allows no control character but tab and line breaks, and
        // neither U+FFFE nor U+FFFF.
        require(c >= 0x20 || c == '\n' || c == '\t' || c == '\r');
        require(svg.compare(i, 3, "\xef\xbf\xbe") != 0 && svg.compare(i, 3, "\xef\xbf\xbf") != 0);
        require(text_open || c == '\n');
        ++i;
    }
    require(depth == 0);

    // Every shape within the picture, every number finite.
    const float slack = 0.5f;
    require(std::isfinite(scene.width) && std::isfinite(scene.height) && scene.width >= 0 &&
            scene.height >= 0);
    auto inside = [&](float x, float y) {
        require(std::isfinite(x) && std::isfinite(y));
        require(x >= -slack && y >= -slack && x <= scene.width + slack && y <= scene.height + slack);
    };
    for (const SceneItem& item : scene.items) {
        if (const Rect* rect = std::get_if<Rect>(&item)) {
            inside(rect->x, rect->y);
            inside(rect->x + rect->width, rect->y + rect->height);
        } else if (const Line* line = std::get_if<Line>(&item)) {
            inside(line->x1, line->y1);
            inside(line->x2, line->y2);
        } else if (const Text* text = std::get_if<Text>(&item)) {
            inside(text->x, text->y);
        }
    }
}

} // namespace
} // namespace quarn

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace quarn;
    FuzzedDataProvider data(bytes, size);
    static constexpr char32_t k_separators[] = {U',', U';', U'\t', U'|', U'\u061b', U'"', U'\n', U'\0'};
    const char32_t separator = data.PickValueInArray(k_separators);
    SceneOptions options;
    static constexpr ViewKind k_views[] = {ViewKind::FrontPanel, ViewKind::VlanBreakdown, ViewKind::Topology};
    options.view.kind = data.PickValueInArray(k_views);
    options.view.show_unused = data.ConsumeBool();
    options.show_site_title = data.ConsumeBool();
    const Map map = random_map(data);

    std::size_t rows = 1;
    for (const Switch& sw : map.switches) rows += sw.ports.size();
    // A separator that would break the table is written as a comma.
    const std::string_view written = separator == U';'        ? ";"
                                     : separator == U'\t'     ? "\t"
                                     : separator == U'|'      ? "|"
                                     : separator == U'\u061b' ? "\u061b"
                                                              : ",";
    check_csv(map_csv(map, separator), written, rows);

    const Scene scene = build_scene(map, options);
    check_svg(scene_svg(scene), scene);
    return 0;
}
