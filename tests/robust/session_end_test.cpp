// The window system going away under the program (a lost display): the main window keeps the
// position and the selection before the process ends, with or without the selection dialog open.

#include "platform/windowing/backend.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::Session;
using testing_support::SettingsBytes;

namespace {

TEST(SessionEnd, TheMainWindowSavesItsSettingsWhenTheSessionEnds) {
    for (const bool dialogOpen : {false, true}) {
        Session s;
        std::string selection(43, '1');
        selection[40] = '0'; // the selection as stored: the highest pattern first
        s.WriteSettings(SettingsBytes(3, selection));
        s.backend.KeyDown(VK_LEFT);
        s.backend.KeyDown(VK_LEFT);
        if (dialogOpen) {
            s.backend.KeyDown(VK_RETURN);
        }
        std::vector<std::uint8_t> saved;
        s.backend.Run([&] {
            // Nothing is written before the session ends ...
            ASSERT_EQ(s.ReadSettings(), SettingsBytes(3, selection));
            windowing::SessionEnding();
            // ... and everything is written by the time it returns, as the process may end then.
            saved = s.ReadSettings();
        });
        s.backend.Close();
        s.backend.Close();
        s.Run();
        EXPECT_EQ(saved, SettingsBytes(5, selection)) << (dialogOpen ? "with the dialog open" : "");
    }
}

} // namespace
