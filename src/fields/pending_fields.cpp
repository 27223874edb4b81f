// Field routines whose drawing is still being built draw nothing beyond the dispatcher's black.

#include "app/lumivex_dlg.h"

void CLumivexDlg::DrawColorField(CDC*, COLORREF, int, int, int, int) {}
void CLumivexDlg::DrawGraySteps(CDC*, int, bool) {}
void CLumivexDlg::DrawCenterGray(CDC*, bool) {}
void CLumivexDlg::DrawDiagonalRamp(CDC*) {}
void CLumivexDlg::DrawUniformityBoxes(CDC*, COLORREF) {}
void CLumivexDlg::DrawEdgeSquares(CDC*, COLORREF) {}
void CLumivexDlg::DrawColorBars(CDC*) {}
void CLumivexDlg::DrawColorChart(CDC*) {}
