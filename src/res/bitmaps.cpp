#include "res/bitmaps.h"

#include "res/dib_pack.h"
#include "res/start_pictures.h"
#include "res/tg18.h"

#include <array>

namespace res {

namespace {

constexpr GrayDibFields kSquareFields{2834, 1048578};
constexpr GrayDibFields kPortraitFields{0, 5242880};

using Bytes = std::vector<std::uint8_t>;

Bytes Generate(int id) {
    using enum Tg18Size;
    using enum StartClass;
    switch (id) {
    case 129:
        return PackGrayDib(MakeTg18Ad(Square1024), kSquareFields);
    case 130:
        return PackGrayDib(MakeTg18Qc(Square1024), kSquareFields);
    case 133:
        return PackGrayDib(MakeTg18Afc(Square1024), kSquareFields);
    case 135:
        return PackGrayDib(MakeTg18Qc(Portrait2048x2560), kPortraitFields);
    case 136:
        return PackGrayDib(MakeTg18Ad(Portrait2048x2560), kPortraitFields);
    case 137:
        return PackGrayDib(MakeTg18Afc(Portrait2048x2560), kPortraitFields);
    case 147:
        return PackRgb24Dib(MakeStartCentre(Small));
    case 148:
        return PackRgb24Dib(MakeStartPatchA(Small));
    case 149:
        return PackRgb24Dib(MakeStartBanner(Small));
    case 150:
        return PackRgb24Dib(MakeStartCentre(Large));
    case 151:
        return PackRgb24Dib(MakeStartPatchA(Large));
    case 152:
        return PackRgb24Dib(MakeStartBanner(Large));
    case 153:
        return PackRgb24Dib(MakeStartPatchB(Small));
    case 154:
        return PackRgb24Dib(MakeStartPatchB(Large));
    default:
        return {};
    }
}

// One function-local static per id: generated on first use, thread-safe, never repeated.
template <int Id> const Bytes* Cached() {
    static const Bytes bytes = Generate(Id);
    return &bytes;
}

struct Entry {
    BitmapResourceName name;
    const Bytes* (*get)();
};

constexpr std::array kEntries{
    Entry{{129, "129-tg18-ad-1024"}, &Cached<129>},
    Entry{{130, "130-tg18-qc-1024"}, &Cached<130>},
    Entry{{133, "133-tg18-afc-1024"}, &Cached<133>},
    Entry{{135, "135-tg18-qc-2048x2560"}, &Cached<135>},
    Entry{{136, "136-tg18-ad-2048x2560"}, &Cached<136>},
    Entry{{137, "137-tg18-afc-2048x2560"}, &Cached<137>},
    Entry{{147, "147-start-centre-604x712"}, &Cached<147>},
    Entry{{148, "148-start-patch-a-188x142"}, &Cached<148>},
    Entry{{149, "149-start-banner-576x88"}, &Cached<149>},
    Entry{{150, "150-start-centre-1225x1782"}, &Cached<150>},
    Entry{{151, "151-start-patch-a-375x354"}, &Cached<151>},
    Entry{{152, "152-start-banner-1152x214"}, &Cached<152>},
    Entry{{153, "153-start-patch-b-188x142"}, &Cached<153>},
    Entry{{154, "154-start-patch-b-375x354"}, &Cached<154>},
};

} // namespace

const std::vector<std::uint8_t>* FindBitmapResource(int id) {
    for (const Entry& e : kEntries) {
        if (e.name.id == id) {
            return e.get();
        }
    }
    return nullptr;
}

const std::vector<BitmapResourceName>& BitmapResourceNames() {
    static const std::vector<BitmapResourceName> names = [] {
        std::vector<BitmapResourceName> out;
        for (const Entry& e : kEntries) {
            out.push_back(e.name);
        }
        return out;
    }();
    return names;
}

} // namespace res
