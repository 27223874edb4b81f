#include "platform/qt/termination_signals.h"
#include "qt/qt_session.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

using qt_testing::QtSession;

namespace {

TEST(QtTermination, SigtermClosesTheOpenDialogAndTheProgramWhichSavesItsSettings) {
    QtSession s;
    qtbackend::TerminationSignals termination(s.backend);
    s.WaitUntilShown();
    s.Key(Qt::Key_Left);
    s.Key(Qt::Key_Return);
    s.WaitUntilDialogShown();
    s.Key(Qt::Key_Space);
    s.Do([] { std::raise(SIGTERM); });
    s.Run();
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    // The dialog was closed as by its close box, which keeps the ticks; the Enter path then
    // reset the position before the main window saved.
    const std::vector<std::uint8_t> saved = s.ReadSettings();
    ASSERT_EQ(saved.size(), 45u);
    EXPECT_EQ(saved[0], 0);
    EXPECT_EQ(saved.back(), '0');
    EXPECT_EQ(std::count(saved.begin() + 2, saved.end(), '1'), 42);
}

} // namespace
