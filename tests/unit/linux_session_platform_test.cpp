#include <gtest/gtest.h>

#include "platform/linux/session_platform.hpp"

namespace nocturo::linux_desktop {
namespace {

// A Wayland session as GNOME and Plasma start it: XWayland's display is set.
SessionFacts WaylandWithX() {
  return {.display = ":0", .qpaPlatform = "", .arguments = {"nocturo", "/S"}};
}

TEST(SessionPlatform, AnXServerIsPreferredWithWaylandAsTheWayOut) {
  EXPECT_EQ(RequestedPlatform(WaylandWithX()), "xcb;wayland");
}

TEST(SessionPlatform, WithoutAnXServerQtChoosesAlone) {
  SessionFacts facts = WaylandWithX();
  facts.display = "";
  EXPECT_EQ(RequestedPlatform(facts), std::nullopt);
}

TEST(SessionPlatform, TheUsersChoiceStands) {
  SessionFacts environment = WaylandWithX();
  environment.qpaPlatform = "wayland";
  EXPECT_EQ(RequestedPlatform(environment), std::nullopt) << "QT_QPA_PLATFORM";
  for (const char* option : {"-platform", "--platform"}) {
    SessionFacts argument = WaylandWithX();
    argument.arguments = {"nocturo", option, "wayland", "/S"};
    EXPECT_EQ(RequestedPlatform(argument), std::nullopt) << option;
  }
}

TEST(SessionPlatform, ALastPlatformOptionWithoutANameIsNoChoice) {
  SessionFacts facts = WaylandWithX();
  facts.arguments = {"nocturo", "/S", "-platform"};
  EXPECT_EQ(RequestedPlatform(facts), "xcb;wayland");
}

}  // namespace
}  // namespace nocturo::linux_desktop
