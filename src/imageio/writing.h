#pragma once
// What the writers share around their encoders: one wording for a refusal and one rule for
// sorting failures, so that a caller can tell a frame that cannot be written from a target
// that cannot be opened from a write that failed part-way.

#include "atomic_file.h"
#include "imageio/image_writers.h"

#include <filesystem>
#include <functional>
#include <string>

namespace imageio {

// "cannot write PATH: REASON", for a failure before the target is opened.
WriteResult CannotWrite(const std::filesystem::path& path, const std::string& reason,
                        WriteFailure failure);

// The frame's own problem, if any, as a Frame failure; empty when the frame can be written.
WriteResult CheckFrame(const FrameView& frame, const std::filesystem::path& path);

// Opens the target through an AtomicFile, lets encode write into it (or Fail() it) and
// commits. A target that cannot be opened is a Target failure, anything later a Writing one.
WriteResult WriteAtomically(const std::filesystem::path& path,
                            const std::function<void(AtomicFile&)>& encode);

} // namespace imageio
