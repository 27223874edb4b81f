#pragma once

#include "platform/windowing/wnd.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();
};
