#include "res/strings.h"

#include "res/resource_ids.h"

namespace res {

std::string LoadString(int id) {
    switch (id) {
    case IDS_ABOUTBOX:
        return "关于 Lumivex(&A)...";
    default:
        return {};
    }
}

} // namespace res
