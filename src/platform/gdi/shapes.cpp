#include "platform/gdi/dc.h"

// Rectangle, Ellipse and AngleArc are being written; until then they draw nothing.
BOOL CDC::Rectangle(int, int, int, int) { return FALSE; }
BOOL CDC::Ellipse(int, int, int, int) { return FALSE; }
BOOL CDC::AngleArc(int, int, int, float, float) { return FALSE; }
