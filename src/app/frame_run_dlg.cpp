#include "app/frame_run_dlg.h"

#include "app/lumivex_app.h"

#include "platform/windowing/window.h"

#include <algorithm>

namespace {

constexpr UINT kNextShot = WM_APP + 1;

bool IsOperatorInput(UINT message) {
    return (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) ||
           (message >= WM_LBUTTONDOWN && message <= WM_RBUTTONDBLCLK);
}

} // namespace

BEGIN_MESSAGE_MAP(CFrameRunDlg, CLumivexDlg)
ON_WM_PAINT()
ON_MESSAGE(kNextShot, OnNextShot)
END_MESSAGE_MAP()

int CFrameRunDlg::LoadSaveSettings(int save) {
    return save ? 1 : CLumivexDlg::LoadSaveSettings(0);
}

BOOL CFrameRunDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        // The dialog's own Escape handling ends the run, without the redraw a key would make.
        return CDialog::PreTranslateMessage(msg);
    }
    return IsOperatorInput(msg->message) ? TRUE : CLumivexDlg::PreTranslateMessage(msg);
}

void CFrameRunDlg::OnPaint() {
    CLumivexDlg::OnPaint();
    if (!started_ && !IsIconic()) {
        // The first system paint has put the start screen on the screen.
        started_ = true;
        shots_ = Plan();
        PostMessage(kNextShot);
    }
}

bool CFrameRunDlg::Show(const Shot& shot) {
    const std::vector<std::int32_t>& playlist = Playlist();
    const auto at = std::find(playlist.begin(), playlist.end(), *shot.pattern);
    if (at == playlist.end()) {
        return false;
    }
    SetState(shot.grayLevel, shot.labelsOn ? TRUE : FALSE,
             static_cast<std::uint8_t>(at - playlist.begin()), shot.stepCount);
    RedrawPattern();
    return true;
}

LRESULT CFrameRunDlg::OnNextShot(WPARAM, LPARAM) {
    if (next_ >= shots_.size()) {
        completed_ = true;
        EndDialog(IDOK);
        return 0;
    }
    const Shot& shot = shots_[next_];
    if (!shot.pattern && next_ > 0) {
        EndDialog(IDABORT); // the start screen is only on the screen before the first pattern
        return 0;
    }
    if (!shown_) {
        if (shot.pattern && !Show(shot)) {
            EndDialog(IDABORT);
            return 0;
        }
        shown_ = true;
    }
    switch (Examine(shot, m_hWnd->surface)) {
    case Verdict::Next:
        shown_ = false;
        ++next_;
        break;
    case Verdict::Again:
        break;
    case Verdict::Stop:
        EndDialog(IDABORT);
        return 0;
    }
    PostMessage(kNextShot);
    return 0;
}

void CFrameRunDlg::Run() {
    theApp.m_pMainWnd = this;
    DoModal();
    theApp.m_pMainWnd = nullptr;
}
