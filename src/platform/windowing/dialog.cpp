#include "platform/windowing/resources.h"
#include "platform/windowing/window_manager.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    return OnInitDialog();
}

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() = default;

std::intptr_t CDialog::DoModal() {
    const windowing::DialogTemplate* t =
        windowing::FindDialogTemplate(static_cast<int>(templateId_));
    windowing::Backend* backend = windowing::CurrentBackend();
    if (!t || !backend || m_hWnd) {
        return -1;
    }
    // Without a parent the application's main window owns the dialog, as with the framework.
    CWnd* ownerWnd = parent_ ? parent_ : AfxGetMainWnd();
    if (ownerWnd == this) {
        ownerWnd = nullptr;
    }
    windowing::Window* owner = ownerWnd ? ownerWnd->m_hWnd : nullptr;
    windowing::Window* w = windowing::CreateDialogWindow(this, *t, owner);
    if (!w) {
        return -1;
    }
    const bool ownerWasEnabled = owner && owner->enabled;
    if (ownerWasEnabled) {
        ownerWnd->EnableWindow(FALSE);
    }
    w->modal = true;
    AfxGetApp()->Windows().modalStack.push_back(w);

    if (SendMessage(WM_INITDIALOG, 0, 0)) {
        // The dialog manager gives the focus to the first control that takes it.
        for (auto& c : w->children) {
            if (c->Visible() && c->enabled && (c->style & WS_TABSTOP)) {
                windowing::FocusControl(c.get());
                break;
            }
        }
    }
    // A modal dialog is shown when its loop starts, whether or not its template has WS_VISIBLE.
    if (windowing::IsLive(w) && !w->modalEnded && !w->Visible()) {
        ShowWindow(SW_SHOWNORMAL);
    }
    if (windowing::IsLive(w) && !w->modalEnded) {
        backend->RunModalLoop(w);
    }
    const int result = windowing::IsLive(w) ? w->modalResult : IDABORT;

    if (ownerWasEnabled && windowing::IsLive(owner)) {
        ownerWnd->EnableWindow(TRUE);
    }
    if (windowing::IsLive(w)) {
        auto& stack = AfxGetApp()->Windows().modalStack;
        std::erase(stack, w);
        DestroyWindow();
    }
    return result;
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    windowing::Window* w = m_hWnd;
    if (!w || !w->modal) {
        return;
    }
    w->modalResult = result;
    w->modalEnded = true;
    windowing::ShowWindow(w, SW_HIDE);
    if (windowing::Backend* b = windowing::CurrentBackend()) {
        b->EndModalLoop(w);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYDOWN && msg->message <= 0x0109) {
        return windowing::IsDialogMessage(m_hWnd, msg);
    }
    return FALSE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) {
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}
