#include "png_errors.h"

#include <cstdio>

namespace imageio {

void KeepPngErrorAndJump(png_structp png, png_const_charp message) {
    auto* kept = static_cast<PngErrorMessage*>(png_get_error_ptr(png));
    std::snprintf(kept->text, sizeof kept->text, "%s", message);
    png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

} // namespace imageio
