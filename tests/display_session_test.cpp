#include "tests/table_rows.h"
#include "ui/display_session.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kalvora::test {
namespace {

struct SessionRow {
    const char *name;
    DisplayEnvironment environment;
    DisplayChoice choice;
    friend void PrintTo(const SessionRow &row, std::ostream *os) { *os << row.name; }
};

class Session : public ::testing::TestWithParam<SessionRow> {};

TEST_P(Session, ChoosesTheDisplay) {
    EXPECT_EQ(chooseDisplay(GetParam().environment), GetParam().choice);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, Session,
    ::testing::Values(
        SessionRow{"X11Desktop", {"", ":0", ""}, DisplayChoice::X11},
        SessionRow{"WaylandDesktopWithXWayland", {"", ":0", "wayland-0"}, DisplayChoice::X11},
        SessionRow{"WaylandAlone", {"", "", "wayland-0"}, DisplayChoice::AsAsked},
        SessionRow{"PlatformAskedFor", {"wayland", ":0", "wayland-0"}, DisplayChoice::AsAsked},
        SessionRow{"TestsOffscreen", {"offscreen", "", ""}, DisplayChoice::AsAsked},
        SessionRow{"ConsoleOrSsh", {"", "", ""}, DisplayChoice::None}),
    RowName{});

} // namespace
} // namespace kalvora::test
