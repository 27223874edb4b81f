#include "catalogue/catalogue.h"

#include <array>

namespace catalogue {

namespace {

constexpr std::array<std::string_view, kPatternCount> kLabels = {
    "最左边一条垂直线",
    "最右边一条垂直线",
    "最两边各一条垂直线",
    "最左边两条垂直线",
    "最右边两条垂直线",
    "最两边边两条垂直线",
    "隔行垂直线",
    "交叉黑白点(adujst)",
    "Tarvoauto",
    "中心白",
    "九方框",
    "三方框",
    "五方框",
    "灰阶",
    "Test_TG18-QC",
    "Test_TG18-AFC",
    "Test_TG18-AD",
    "80%均匀性",
    "10%均匀性",
    "对准中心线",
    "64灰阶",
    "127灰阶",
    "160灰阶",
    "192灰阶",
    "全白",
    "全黑",
    "全红",
    "全绿",
    "全蓝",
    "单一灰阶",
    "中心灰阶",
    "反向中心灰阶",
    "文字显示",
    "正向相邻两阶画面",
    "反向相邻两阶画面",
    "Din6868-57 uniformly",
    "灰阶1024*1024",
    "对角1024*1024",
    "18灰阶",
    "24色",
    "BRGBW block",
    "6868-157-un10",
    "6868-157-un80",
};

} // namespace

std::string_view Label(int id) {
    if (id < 0 || id >= kPatternCount) {
        return {};
    }
    return kLabels[static_cast<std::size_t>(id)];
}

} // namespace catalogue
