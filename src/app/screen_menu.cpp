// The system menu's monitor items: one per monitor after the About item, kept up to date when
// the monitors change. Choosing one shows the patterns on that monitor, maximised.

#include "app/lumivex_dlg.h"

#include "platform/windowing/resources.h"
#include "platform/windowing/window_manager.h"
#include "res/resource_ids.h"

namespace {

constexpr int kScreenCommandStep = 0x10;

void ReplaceAll(std::string& text, const std::string& field, const std::string& value) {
    for (std::size_t at = text.find(field); at != std::string::npos;
         at = text.find(field, at + value.size())) {
        text.replace(at, field.size(), value);
    }
}

std::string ScreenItemText(std::size_t index, const windowing::Monitor& m) {
    std::string text =
        windowing::LoadString(AfxFindResourceHandle(IDS_SCREEN_ITEM, RT_STRING), IDS_SCREEN_ITEM);
    ReplaceAll(text, "{index}", std::to_string(index));
    ReplaceAll(text, "{name}", m.name);
    ReplaceAll(text, "{width}", std::to_string(m.rect.right - m.rect.left));
    ReplaceAll(text, "{height}", std::to_string(m.rect.bottom - m.rect.top));
    return text;
}

bool IsScreenCommand(UINT id) {
    return id >= IDM_SCREEN_FIRST && id < IDM_SCREEN_LIMIT;
}

} // namespace

void CLumivexDlg::UpdateScreenItems() {
    CMenu* menu = GetSystemMenu(FALSE);
    if (!menu) {
        return;
    }
    for (int i = menu->GetMenuItemCount() - 1; i >= 0; --i) {
        if (IsScreenCommand(menu->GetMenuItemID(i))) {
            menu->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
        }
    }
    m_screens = windowing::Monitors();
    const std::size_t fit = (IDM_SCREEN_LIMIT - IDM_SCREEN_FIRST) / kScreenCommandStep;
    if (m_screens.size() > fit) {
        m_screens.resize(fit);
    }
    if (!m_screens.empty() && !m_screenSeparator) {
        menu->AppendMenuA(MF_SEPARATOR);
        m_screenSeparator = true;
    }
    for (std::size_t i = 0; i < m_screens.size(); ++i) {
        menu->AppendMenuA(MF_STRING, IDM_SCREEN_FIRST + i * kScreenCommandStep,
                          ScreenItemText(i, m_screens[i]).c_str());
    }
}

bool CLumivexDlg::OnScreenCommand(UINT id) {
    const UINT command = id & 0xFFF0;
    if (!IsScreenCommand(command)) {
        return false;
    }
    const std::size_t index = (command - IDM_SCREEN_FIRST) / kScreenCommandStep;
    if (index >= m_screens.size()) {
        return true;
    }
    // Where the window returns when restored moves along, so that it keeps its place relative
    // to the monitor's top-left corner, as the template's position is counted.
    const RECT target = m_screens[index].rect;
    const RECT from = windowing::MonitorOfWindow(m_hWnd).rect;
    WINDOWPLACEMENT placement;
    GetWindowPlacement(&placement);
    OffsetRect(&placement.rcNormalPosition, target.left - from.left, target.top - from.top);
    placement.showCmd = SW_SHOWMAXIMIZED;
    SetWindowPlacement(&placement);
    return true;
}

LRESULT CLumivexDlg::OnDisplayChange(WPARAM /*bitsPerPixel*/, LPARAM /*size*/) {
    UpdateScreenItems();
    return 0;
}
