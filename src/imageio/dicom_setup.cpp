#include "dicom_setup.h"

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdict.h>
#include <dcmtk/oflog/oflog.h>

namespace imageio {

std::string DicomDictionaryProblem() {
    static const std::string problem = [] {
        // DCMTK's warnings about odd files would otherwise go to standard error, beside the
        // one message per file the callers print.
        OFLog::configure(OFLogger::OFF_LOG_LEVEL);
        if (!dcmDataDict.isDictionaryLoaded()) {
            return std::string("the DICOM data dictionary of DCMTK is not installed (DCMDICTPATH)");
        }
        return std::string();
    }();
    return problem;
}

} // namespace imageio
