// Every test binary runs with the program's resources registered, as the program registers them
// at start-up, in the program's original language: the tests read the texts as designed.
#include "res/register.h"

namespace {

const bool registered = (res::RegisterResources(base::UiLanguage::Chinese), true);

} // namespace
