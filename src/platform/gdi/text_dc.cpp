#include "platform/gdi/dc.h"

BOOL CDC::TextOut(int, int, std::string_view) { return FALSE; }
CSize CDC::GetTextExtent(std::string_view) const { return CSize(0, 16); }
int CDC::DrawText(std::string_view, LPRECT, UINT) { return 0; }
BOOL GetTextExtentPoint32A(HDC, const char*, int, SIZE*) { return FALSE; }
