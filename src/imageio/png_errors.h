#pragma once
// How the PNG reader and writer hear from libpng. An error callback must not return: it keeps
// libpng's message and jumps back to the caller's setjmp, which then reports the message as its
// own. Warnings concern details no user can act on, so they are dropped.

#include <png.h>

namespace imageio {

// Where the error callback keeps libpng's message; pass its address as libpng's error pointer.
struct PngErrorMessage {
    char text[200] = {};
};

[[noreturn]] void KeepPngErrorAndJump(png_structp png, png_const_charp message);
void IgnorePngWarning(png_structp png, png_const_charp message);

} // namespace imageio
