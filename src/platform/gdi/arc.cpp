#include "platform/gdi/dc.h"

BOOL CDC::AngleArc(int, int, int, float, float) {
    return FALSE;
}
