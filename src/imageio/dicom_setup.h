#pragma once
// What every use of DCMTK needs first: its data dictionary, and its log kept quiet (the
// readers and writers report their own errors).

#include <string>

namespace imageio {

// Empty when DCMTK is ready; otherwise why not ("the DICOM data dictionary is not loaded").
std::string DicomDictionaryProblem();

} // namespace imageio
