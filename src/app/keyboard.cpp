// The keyboard: every key-down but Enter changes what it controls and redraws the current
// pattern at once; Enter opens the selection dialog.

#include "app/lumivex_dlg.h"

#include "app/mem_dc.h"
#include "catalogue/picture_option_dlg.h"
#include "platform/windowing/dc_window.h"

#include <algorithm>

BOOL CLumivexDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN) {
        return CDialog::PreTranslateMessage(msg);
    }
    const UINT key = static_cast<UINT>(msg->wParam);
    const int n = static_cast<int>(m_playlist.size());
    auto last = [n]() { return static_cast<std::uint8_t>(n - 1); };

    if (key == VK_RETURN) {
        OpenPictureOptions();
        return TRUE;
    }
    switch (key) {
    case VK_PRIOR:
        m_stepCount = std::max(m_stepCount / 2, 8);
        m_grayLevel = std::min((m_grayLevel / 16 + 1) * 16, 255);
        break;
    case VK_NEXT:
        m_stepCount = std::min(m_stepCount * 2, 256);
        m_grayLevel = std::max((m_grayLevel / 16) * 16 - 16, 0);
        break;
    case VK_LEFT: // the arrows run against the usual sense: Left is the next pattern
        if (m_position < n - 1) {
            ++m_position;
        }
        break;
    case VK_UP:
        m_grayLevel = std::min(m_grayLevel + 1, 255);
        break;
    case VK_RIGHT:
        if (m_position != 0) {
            --m_position;
        }
        break;
    case VK_DOWN:
        m_grayLevel = std::max(m_grayLevel - 1, 0);
        break;
    case 'H':
        m_labels = m_labels ? FALSE : TRUE;
        break;
    case VK_ADD:
    case VK_OEM_PLUS:
        m_position = m_position != 0 ? static_cast<std::uint8_t>(m_position - 1) : last();
        break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        ++m_position;
        break;
    default:
        if (key >= '0' && key <= '9') {
            m_position = static_cast<std::uint8_t>(std::min(static_cast<int>(key - '0'), n - 1));
        } else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
            m_position =
                static_cast<std::uint8_t>(std::min(static_cast<int>(key - VK_NUMPAD0), n - 1));
        }
        break;
    }
    RedrawPattern();
    return CDialog::PreTranslateMessage(msg);
}

void CLumivexDlg::RedrawPattern() {
    CClientDC dc(this);
    // The pattern clears the frame or paints all of it. Patterns are drawn whole, into a buffer of
    // the whole client area: some copy down rows they have drawn (13, 30, 31, 37), which a buffer
    // of part of the frame would not hold.
    CMemDC memDC(&dc, nullptr, CMemDC::Start::Overwritten);
    DrawCurrentPattern(&memDC);
}

void CLumivexDlg::OpenPictureOptions() {
    {
        CPictureOptionDlg dlg;
        dlg.DoModal();
        BuildPlaylist();
        m_position = 0;
        InvalidateRect(nullptr, TRUE);
    }
}
