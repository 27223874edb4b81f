#pragma once
// The selection dialog: one check box per pattern and a "Clear all" button. Both ways out,
// Enter and the close box, write the ticks into the main window's enabled set.

#include "platform/windowing/wnd.h"

class CPictureOptionDlg : public CDialog {
  public:
    explicit CPictureOptionDlg(CWnd* parent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose();
    void OnClearAll();

    DECLARE_MESSAGE_MAP()

  private:
    void StoreSelection();
};
