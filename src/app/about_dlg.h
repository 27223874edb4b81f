#pragma once

#include "platform/win/wnd.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();
};
