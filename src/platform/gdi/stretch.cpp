#include "platform/gdi/dc.h"

BOOL CDC::StretchBlt(int, int, int, int, CDC*, int, int, int, int, DWORD) { return FALSE; }
