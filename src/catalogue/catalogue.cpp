#include "catalogue/catalogue.h"

#include "platform/windowing/resources.h"
#include "res/resource_ids.h"

namespace catalogue {

std::string Label(int id) {
    if (id < 0 || id >= kPatternCount) {
        return {};
    }
    const int stringId = IDS_FIRST_PATTERN_LABEL + id;
    return windowing::LoadString(AfxFindResourceHandle(stringId, RT_STRING), stringId);
}

} // namespace catalogue
