// Every test binary runs with the program's resources registered, as the program registers them
// at start-up.
#include "res/register.h"

namespace {

const bool registered = (res::RegisterResources(), true);

} // namespace
