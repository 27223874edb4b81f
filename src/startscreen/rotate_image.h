#pragma once
// Rotation of a picture about its centre with nearest-pixel sampling, as the start screen uses it
// for the turned copies of its corner patches.

#include "platform/gdi/image.h"

// Rotates src by angle degrees into dst, which has src's size and 24 bits per pixel; a null dst
// is created so. Destination pixels whose source falls outside, or on the source's last row or
// column, are black.
void RotateImage(const CImage& src, CImage& dst, double angle);
