#include "platform/base/types.h"

#include <algorithm>

BOOL SetRect(LPRECT r, int left, int top, int right, int bottom) {
    if (!r) {
        return FALSE;
    }
    *r = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT r) {
    return SetRect(r, 0, 0, 0, 0);
}

BOOL InflateRect(LPRECT r, int dx, int dy) {
    if (!r) {
        return FALSE;
    }
    r->left -= dx;
    r->top -= dy;
    r->right += dx;
    r->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(LPRECT r, int dx, int dy) {
    if (!r) {
        return FALSE;
    }
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(LPCRECT r) {
    return !r || r->left >= r->right || r->top >= r->bottom;
}

BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    if (!dst || !a || !b) {
        return FALSE;
    }
    RECT out{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
             std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&out)) {
        *dst = RECT{};
        return FALSE;
    }
    *dst = out;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    if (!dst || !a || !b) {
        return FALSE;
    }
    if (IsRectEmpty(a)) {
        *dst = IsRectEmpty(b) ? RECT{} : *b;
    } else if (IsRectEmpty(b)) {
        *dst = *a;
    } else {
        *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                    std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
    }
    return !IsRectEmpty(dst);
}
