#include "catalogue/picture_option_dlg.h"

#include "app/lumivex_dlg.h"
#include "catalogue/catalogue.h"
#include "res/resource_ids.h"

#include <string>

BEGIN_MESSAGE_MAP(CPictureOptionDlg, CDialog)
ON_WM_CLOSE()
ON_BN_CLICKED(IDC_CLEAR_ALL, OnClearAll)
END_MESSAGE_MAP()

namespace {

CLumivexDlg* MainWindow() {
    return dynamic_cast<CLumivexDlg*>(AfxGetMainWnd());
}

} // namespace

CPictureOptionDlg::CPictureOptionDlg(CWnd* parent) : CDialog(IDD_PICTURE_OPTIONS, parent) {}

BOOL CPictureOptionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CLumivexDlg* main = MainWindow();
    for (int i = 0; i < kPatternCount; ++i) {
        SetDlgItemTextA(IDC_FIRST_PATTERN_BOX + i, catalogue::Label(i).c_str());
        const bool enabled = main && main->EnabledSet().test(static_cast<std::size_t>(i));
        CheckDlgButton(IDC_FIRST_PATTERN_BOX + i, enabled ? BST_CHECKED : BST_UNCHECKED);
    }
    if (CWnd* spare = GetDlgItem(IDC_SPARE_BOX)) {
        spare->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CPictureOptionDlg::OnClearAll() {
    for (int i = 0; i < kPatternCount; ++i) {
        CheckDlgButton(IDC_FIRST_PATTERN_BOX + i, BST_UNCHECKED);
    }
}

void CPictureOptionDlg::StoreSelection() {
    CLumivexDlg* main = MainWindow();
    if (!main) {
        return;
    }
    for (int i = 0; i < kPatternCount; ++i) {
        main->EnabledSet().set(static_cast<std::size_t>(i),
                               IsDlgButtonChecked(IDC_FIRST_PATTERN_BOX + i) == BST_CHECKED);
    }
}

void CPictureOptionDlg::OnOK() {
    StoreSelection();
    CDialog::OnOK();
}

// Escape does not close the dialog: the operator leaves it with Enter or the close box, and
// both keep the ticks.
void CPictureOptionDlg::OnCancel() {}

void CPictureOptionDlg::OnClose() {
    StoreSelection();
    Default();
    CDialog::OnCancel();
}
