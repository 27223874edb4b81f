#include "app/lumivex_app.h"

#include "app/lumivex_dlg.h"

constexpr UINT ID_HELP = 0xE146;

BEGIN_MESSAGE_MAP(CLumivexApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CLumivexApp::CLumivexApp() : CWinApp(nullptr) {}

CLumivexApp::~CLumivexApp() = default;

// The application object.
CLumivexApp theApp;

BOOL CLumivexApp::InitInstance() {
    AfxEnableControlContainer();
    CLumivexDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
