#include "res/strings.h"

#include "res/resource_ids.h"

namespace res {

std::string LoadString(int id) {
    switch (id) {
    case IDS_ABOUTBOX:
        return "关于 Lumivex(&A)...";
    case IDS_SCREEN_ITEM:
        return "显示器 &{index}：{name}（{width} × {height}）";
    default:
        return {};
    }
}

} // namespace res
