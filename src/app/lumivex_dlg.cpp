#include "app/lumivex_dlg.h"

#include "app/about_dlg.h"
#include "app/mem_dc.h"
#include "catalogue/picture_option_dlg.h"
#include "platform/windowing/dc_window.h"
#include "platform/windowing/resources.h"
#include "res/resource_ids.h"

constexpr int kHotKeyId = 1688;

BEGIN_MESSAGE_MAP(CLumivexDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_QUERYDRAGICON()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_CHAR()
ON_WM_RBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_PAINT()
ON_BN_CLICKED(IDC_HIDDEN_BUTTON, OnHiddenButton)
ON_MESSAGE(WM_HOTKEY, OnHotKey)
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
ON_WM_ENDSESSION()
END_MESSAGE_MAP()

CLumivexDlg::CLumivexDlg(CWnd* parent) : CDialog(IDD_LUMIVEX_DIALOG, parent) {
    m_enabledSet.set();
    m_hIcon = LoadIconW(AfxFindResourceHandle(IDR_MAINFRAME, RT_GROUP_ICON), IDR_MAINFRAME);
    m_textFont.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS,
                           "Arial");
}

CLumivexDlg::~CLumivexDlg() {
    m_textFont.DeleteObject();
    m_playlist.clear();
    m_playlist.shrink_to_fit();
}

BOOL CLumivexDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (CMenu* sysMenu = GetSystemMenu(FALSE)) {
        const std::string about =
            windowing::LoadString(AfxFindResourceHandle(IDS_ABOUTBOX, RT_STRING), IDS_ABOUTBOX);
        if (!about.empty()) {
            sysMenu->AppendMenuA(MF_SEPARATOR);
            sysMenu->AppendMenuA(MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
        UpdateScreenItems();
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    LoadSaveSettings(0);
    ShowWindow(SW_SHOWMAXIMIZED);
    RegisterHotKey(m_hWnd, kHotKeyId, MOD_CONTROL | MOD_SHIFT, 'A');
    BuildPlaylist();
    return TRUE;
}

BOOL CLumivexDlg::DestroyWindow() {
    LoadSaveSettings(1);
    UnregisterHotKey(m_hWnd, kHotKeyId);
    return CDialog::DestroyWindow();
}

// The window system is going away under the program (the display lost, the session over): no
// DestroyWindow follows, so this is the last chance to keep the position and the selection.
void CLumivexDlg::OnEndSession(BOOL ending) {
    if (ending) {
        LoadSaveSettings(1);
    }
}

void CLumivexDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else if (OnScreenCommand(id)) {
        // shown on the chosen monitor
    } else {
        CDialog::DefWindowProc(WM_SYSCOMMAND, id, lParam);
    }
}

HCURSOR CLumivexDlg::OnQueryDragIcon() {
    return m_hIcon;
}

void CLumivexDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - cxIcon + 1) / 2;
        const int y = (rect.Height() - cyIcon + 1) / 2;
        DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
    } else {
        CPaintDC dc(this);
        // The start screen begins with a fill of the whole client area.
        CMemDC memDC(&dc, nullptr, CMemDC::Start::Overwritten);
        DrawStartScreen(&memDC);
    }
}

void CLumivexDlg::OnLButtonDown(UINT flags, CPoint point) {
    if (!IsZoomed()) {
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    }
    (void)flags;
    Default();
}

void CLumivexDlg::OnLButtonDblClk(UINT /*flags*/, CPoint /*point*/) {
    ShowWindow(IsZoomed() ? SW_SHOWNORMAL : SW_SHOWMAXIMIZED);
    Invalidate(TRUE);
    Default();
}

void CLumivexDlg::OnRButtonDown(UINT /*flags*/, CPoint /*point*/) {
    ++m_position;
    Invalidate(TRUE);
    Default();
}

void CLumivexDlg::OnRButtonDblClk(UINT /*flags*/, CPoint /*point*/) {
    Default();
}

void CLumivexDlg::OnChar(UINT /*ch*/, UINT /*repeat*/, UINT /*flags*/) {
    Default();
}

void CLumivexDlg::OnHiddenButton() {}

LRESULT CLumivexDlg::OnHotKey(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return 0;
}
