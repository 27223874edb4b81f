#pragma once

#include "platform/windowing/wnd.h"

class CLumivexApp : public CWinApp {
  public:
    CLumivexApp();
    ~CLumivexApp() override;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CLumivexApp theApp;
