#include "writing.h"

namespace imageio {

WriteResult CannotWrite(const std::filesystem::path& path, const std::string& reason,
                        WriteFailure failure) {
    return {"cannot write " + path.string() + ": " + reason, failure};
}

WriteResult CheckFrame(const FrameView& frame, const std::filesystem::path& path) {
    if (std::string problem = FrameProblem(frame); !problem.empty()) {
        return CannotWrite(path, problem, WriteFailure::Frame);
    }
    return {};
}

WriteResult WriteAtomically(const std::filesystem::path& path,
                            const std::function<void(AtomicFile&)>& encode) {
    AtomicFile file(path);
    if (file.Failed()) {
        return {file.Error(), WriteFailure::Target};
    }
    encode(file);
    if (!file.Commit()) {
        return {file.Error(), WriteFailure::Writing};
    }
    return {};
}

} // namespace imageio
