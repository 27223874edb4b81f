#include "platform/windowing/wnd.h"

#include "platform/windowing/backend.h"
#include "platform/windowing/window_manager.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
    // A framework object that still has its window destroys it without the virtual override:
    // the derived part is already gone.
    if (m_hWnd && !m_hWnd->parent) {
        windowing::DestroyWindowObject(m_hWnd);
        m_hWnd = nullptr;
    }
}

BOOL CWnd::PreTranslateMessage(MSG* /*msg*/) {
    return FALSE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) {
        return FALSE;
    }
    windowing::DestroyWindowObject(m_hWnd);
    m_hWnd = nullptr;
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG saved = currentMsg_;
    currentMsg_ = MSG{m_hWnd, message, wParam, lParam};
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) {
            result = DefWindowProc(message, wParam, lParam);
        }
    } else if (const windowing::MessageMapEntry* e = FindEntry(message, 0, 0)) {
        result = e->handler(this, wParam, lParam);
    } else {
        result = DefWindowProc(message, wParam, lParam);
    }
    currentMsg_ = saved;
    return result;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM /*lParam*/) {
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::Default() {
    return DefWindowProc(currentMsg_.message, currentMsg_.wParam, currentMsg_.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return windowing::DefaultWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return windowing::SendMessageTo(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    windowing::Backend* b = windowing::CurrentBackend();
    if (!m_hWnd || !b) {
        return FALSE;
    }
    b->Post(MSG{m_hWnd, message, wParam, lParam});
    return TRUE;
}

void CWnd::GetClientRect(LPRECT rect) const {
    if (!rect) {
        return;
    }
    *rect = RECT{};
    if (m_hWnd) {
        RECT s = m_hWnd->ScreenRect();
        *rect = RECT{0, 0, s.right - s.left, s.bottom - s.top};
    }
}

void CWnd::GetWindowRect(LPRECT rect) const {
    if (rect) {
        *rect = m_hWnd ? m_hWnd->ScreenRect() : RECT{};
    }
}

void CWnd::Invalidate(BOOL erase) {
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL /*erase*/) {
    windowing::Invalidate(m_hWnd, rect);
}

BOOL CWnd::ShowWindow(int cmdShow) {
    return windowing::ShowWindow(m_hWnd, cmdShow);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const {
    if (!m_hWnd || !placement) {
        return FALSE;
    }
    placement->flags = 0;
    switch (m_hWnd->show) {
    case windowing::ShowState::Hidden:
        placement->showCmd = SW_HIDE;
        break;
    case windowing::ShowState::Maximized:
        placement->showCmd = SW_SHOWMAXIMIZED;
        break;
    case windowing::ShowState::Minimized:
        placement->showCmd = SW_SHOWMINIMIZED;
        break;
    case windowing::ShowState::Normal:
        placement->showCmd = SW_SHOWNORMAL;
        break;
    }
    const RECT monitor = m_hWnd->show == windowing::ShowState::Maximized
                             ? m_hWnd->monitor.rect
                             : windowing::MonitorOfWindow(m_hWnd).rect;
    placement->ptMaxPosition = POINT{monitor.left, monitor.top};
    placement->ptMinPosition = POINT{-1, -1};
    placement->rcNormalPosition = m_hWnd->normalRect;
    return TRUE;
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement) {
    if (!m_hWnd || m_hWnd->parent || !placement) {
        return FALSE;
    }
    return windowing::SetPlacement(m_hWnd, placement->rcNormalPosition,
                                   static_cast<int>(placement->showCmd));
}

BOOL CWnd::IsZoomed() const {
    return m_hWnd && m_hWnd->show == windowing::ShowState::Maximized;
}

BOOL CWnd::IsIconic() const {
    return m_hWnd && m_hWnd->show == windowing::ShowState::Minimized;
}

BOOL CWnd::IsWindowVisible() const {
    return m_hWnd && m_hWnd->Visible();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!m_hWnd) {
        return FALSE;
    }
    const BOOL wasDisabled = !m_hWnd->enabled;
    m_hWnd->enabled = enable != FALSE;
    if (windowing::Backend* b = windowing::CurrentBackend()) {
        b->WindowChanged(m_hWnd);
    }
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_hWnd && m_hWnd->enabled;
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    if (!m_hWnd || m_hWnd->parent) {
        return nullptr;
    }
    if (revert) {
        m_hWnd->systemMenu.items.clear();
        return nullptr;
    }
    if (!m_hWnd->systemMenuWrapper) {
        m_hWnd->systemMenuWrapper = std::make_unique<CMenu>();
        m_hWnd->systemMenuWrapper->m_hMenu = &m_hWnd->systemMenu;
    }
    return m_hWnd->systemMenuWrapper.get();
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL big) const {
    if (!m_hWnd) {
        return nullptr;
    }
    return big ? m_hWnd->iconBig : m_hWnd->iconSmall;
}

BOOL CWnd::SetWindowTextA(const char* text) {
    if (!m_hWnd) {
        return FALSE;
    }
    m_hWnd->text = text ? text : "";
    if (windowing::Backend* b = windowing::CurrentBackend()) {
        b->WindowChanged(m_hWnd);
    }
    return TRUE;
}

std::string CWnd::GetWindowTextA() const {
    return m_hWnd ? m_hWnd->text : std::string();
}

int CWnd::GetDlgCtrlID() const {
    return m_hWnd ? m_hWnd->id : 0;
}

CWnd* CWnd::GetDlgItem(int id) const {
    windowing::Window* child = m_hWnd ? m_hWnd->Child(id) : nullptr;
    return child ? child->controlWnd.get() : nullptr;
}

void CWnd::SetDlgItemTextA(int id, const char* text) {
    if (CWnd* item = GetDlgItem(id)) {
        item->SetWindowTextA(text);
    }
}

void CWnd::CheckDlgButton(int id, UINT check) {
    windowing::Window* child = m_hWnd ? m_hWnd->Child(id) : nullptr;
    if (!child || child->controlClass != windowing::ControlClass::Button) {
        return;
    }
    child->check = static_cast<int>(check);
    if (windowing::Backend* b = windowing::CurrentBackend()) {
        b->WindowChanged(child);
    }
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    windowing::Window* child = m_hWnd ? m_hWnd->Child(id) : nullptr;
    return child ? static_cast<UINT>(child->check) : 0;
}

CWnd* CWnd::SetFocus() {
    if (m_hWnd && m_hWnd->parent) {
        windowing::FocusControl(m_hWnd);
    }
    return nullptr;
}

BOOL CMenu::AppendMenuA(UINT flags, std::uintptr_t id, const char* text) {
    if (!m_hMenu) {
        return FALSE;
    }
    m_hMenu->items.push_back(MenuData::Item{flags, id, text ? text : ""});
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT item, UINT flags) {
    if (!m_hMenu) {
        return FALSE;
    }
    auto& items = m_hMenu->items;
    if (flags & MF_BYPOSITION) {
        if (item >= items.size()) {
            return FALSE;
        }
        items.erase(items.begin() + item);
        return TRUE;
    }
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (!(it->flags & MF_SEPARATOR) && it->id == item) {
            items.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

UINT CMenu::GetMenuItemID(int position) const {
    if (!m_hMenu || position < 0 || position >= static_cast<int>(m_hMenu->items.size())) {
        return static_cast<UINT>(-1);
    }
    const MenuData::Item& item = m_hMenu->items[static_cast<std::size_t>(position)];
    return item.flags & MF_SEPARATOR ? 0 : static_cast<UINT>(item.id);
}

int CMenu::GetMenuItemCount() const {
    return m_hMenu ? static_cast<int>(m_hMenu->items.size()) : -1;
}
