#include "listview/vlan_list.hpp"

#include <string>

#include "common/dpi.hpp"
#include "draw/colors.hpp"
#include "win/color.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::listview {
namespace {

int column_width(unsigned dpi) noexcept {
    return scale_units(100, dpi);
}

const Vlan* vlan_with_id(std::span<const Vlan> vlans, LPARAM id) noexcept {
    for (const Vlan& vlan : vlans)
        if (vlan.id == id) return &vlan;
    return nullptr;
}

} // namespace

HWND create_vlan_list(HWND parent, int id, HINSTANCE instance, unsigned dpi) noexcept {
    HWND list = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 100, 100,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (list == nullptr) return nullptr;
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);

    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = column_width(dpi);
    column.pszText = const_cast<wchar_t*>(L"ID");
    column.iSubItem = 0;
    ListView_InsertColumn(list, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"Name");
    column.iSubItem = 1;
    ListView_InsertColumn(list, 1, &column);
    return list;
}

void set_vlan_list_dpi(HWND list, unsigned dpi) noexcept {
    ListView_SetColumnWidth(list, 0, column_width(dpi));
    ListView_SetColumnWidth(list, 1, column_width(dpi));
}

void fill_vlan_list(HWND list, std::span<const Vlan> vlans, std::optional<std::uint16_t> selected) noexcept {
    try {
        int top = ListView_GetTopIndex(list);
        bool same_rows = ListView_GetItemCount(list) == static_cast<int>(vlans.size());
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(list);
        int selected_row = -1;
        for (std::size_t i = 0; i < vlans.size(); ++i) {
            std::wstring id = std::to_wstring(vlans[i].id);
            std::wstring name = win::widen(vlans[i].name);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = static_cast<int>(i);
            item.pszText = id.data();
            item.lParam = vlans[i].id;
            int row = ListView_InsertItem(list, &item);
            ListView_SetItemText(list, row, 1, name.data());
            if (selected && vlans[i].id == *selected && selected_row < 0) selected_row = row;
        }
        if (selected_row >= 0) {
            ListView_SetItemState(list, selected_row, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        }
        if (same_rows && top > 0) {
            RECT row{};
            if (ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS))
                ListView_Scroll(list, 0, top * (row.bottom - row.top));
        } else if (selected_row >= 0) {
            ListView_EnsureVisible(list, selected_row, FALSE);
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, TRUE);
    } catch (...) {
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    }
}

std::optional<std::uint16_t> selected_vlan(HWND list) noexcept {
    int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0) return std::nullopt;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!ListView_GetItem(list, &item)) return std::nullopt;
    return static_cast<std::uint16_t>(item.lParam);
}

COLORREF id_text_color(Rgb color) noexcept {
    return win::to_colorref(text_on(color));
}

LRESULT vlan_list_custom_draw(const NMLVCUSTOMDRAW& draw, std::span<const Vlan> vlans) noexcept {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        if (draw.iSubItem != 0) return CDRF_DODEFAULT;
        const Vlan* vlan = vlan_with_id(vlans, draw.nmcd.lItemlParam);
        if (vlan == nullptr) return CDRF_DODEFAULT;
        // Paint the ID cell ourselves: the list's own selection colour must
        // not hide the VLAN colour, which is the point of the column.
        HWND list = draw.nmcd.hdr.hwndFrom;
        RECT cell{};
        ListView_GetSubItemRect(list, static_cast<int>(draw.nmcd.dwItemSpec), 0, LVIR_LABEL, &cell);
        RECT bounds{};
        ListView_GetItemRect(list, static_cast<int>(draw.nmcd.dwItemSpec), &bounds, LVIR_BOUNDS);
        cell.left = bounds.left;
        win::UniqueBrush fill(::CreateSolidBrush(win::to_colorref(vlan->color)));
        ::FillRect(draw.nmcd.hdc, &cell, fill.get());
        std::wstring text = std::to_wstring(vlan->id);
        RECT inner = cell;
        inner.left += 6;
        ::SetBkMode(draw.nmcd.hdc, TRANSPARENT);
        ::SetTextColor(draw.nmcd.hdc, id_text_color(vlan->color));
        ::DrawTextW(draw.nmcd.hdc, text.c_str(), static_cast<int>(text.size()), &inner,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
        return CDRF_SKIPDEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

} // namespace quarn::listview
