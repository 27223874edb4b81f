#include "platform/win/window_manager.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    return OnInitDialog();
}

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() = default;

std::intptr_t CDialog::DoModal() {
    const win::DialogTemplate* t = win::FindDialogTemplate(static_cast<int>(templateId_));
    win::Backend* backend = win::CurrentBackend();
    if (!t || !backend || m_hWnd) {
        return -1;
    }
    // Without a parent the application's main window owns the dialog, as with the framework.
    CWnd* ownerWnd = parent_ ? parent_ : AfxGetMainWnd();
    if (ownerWnd == this) {
        ownerWnd = nullptr;
    }
    win::Window* owner = ownerWnd ? ownerWnd->m_hWnd : nullptr;
    win::Window* w = win::CreateDialogWindow(this, *t, owner);
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
                win::FocusControl(c.get());
                break;
            }
        }
    }
    // A modal dialog is shown when its loop starts, whether or not its template has WS_VISIBLE.
    if (win::IsLive(w) && !w->modalEnded && !w->Visible()) {
        ShowWindow(SW_SHOWNORMAL);
    }
    if (win::IsLive(w) && !w->modalEnded) {
        backend->RunModalLoop(w);
    }
    const int result = win::IsLive(w) ? w->modalResult : IDABORT;

    if (ownerWasEnabled && win::IsLive(owner)) {
        ownerWnd->EnableWindow(TRUE);
    }
    if (win::IsLive(w)) {
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
    win::Window* w = m_hWnd;
    if (!w || !w->modal) {
        return;
    }
    w->modalResult = result;
    w->modalEnded = true;
    win::ShowWindow(w, SW_HIDE);
    if (win::Backend* b = win::CurrentBackend()) {
        b->EndModalLoop(w);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYDOWN && msg->message <= 0x0109) {
        return win::IsDialogMessage(m_hWnd, msg);
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
