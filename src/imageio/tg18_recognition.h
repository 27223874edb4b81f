#pragma once
// Telling TG18-QC, TG18-AFC and TG18-AD apart by file name and by descriptive text.

#include "imageio/tg18_folder.h"

#include <bitset>
#include <string_view>

namespace imageio {

using Tg18PatternSet = std::bitset<kTg18PatternCount>;

// The patterns a file name names: QC, AFC or AD as a word of the name without its extension
// (words are split at anything but letters and digits), alone or right after TG18, in any
// case: "TG18-QC.dcm", "tg18_afc_2k.png" and "TG18AD.tif" each name one; "TG18-PQC.dcm" and
// "adjust.png" none.
Tg18PatternSet PatternsNamedIn(std::string_view fileName);

// The patterns a text mentions: TG18, then nothing or one '-', '_' or ' ', then QC, AFC or AD,
// in any case, not inside a longer word ("TG18-QC", "tg18 afc", but not "TG18-PQC").
Tg18PatternSet PatternsMentionedIn(std::string_view text);

} // namespace imageio
