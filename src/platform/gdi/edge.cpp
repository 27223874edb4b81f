#include "platform/gdi/dc.h"

BOOL DrawEdge(HDC, LPRECT, UINT, UINT) { return FALSE; }
COLORREF GetSysColor(int) { return 0; }
