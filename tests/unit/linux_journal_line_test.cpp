#include <gtest/gtest.h>

#include "platform/linux/journal_line.hpp"

namespace nocturo::linux_desktop {
namespace {

TEST(LinuxJournalLine, OneRefusalIsOneLine) {
  EXPECT_EQ(JournalLine("Reboot refused: a: Operation inhibited,\nreason is\r\"writing\"\t."),
            "nocturo: Reboot refused: a: Operation inhibited, reason is \"writing\" .\n");
  EXPECT_EQ(JournalLine(std::string_view("x\0y\x1b\x7f", 5)), "nocturo: x y  \n");
  EXPECT_EQ(JournalLine("sesión ñ"), "nocturo: sesión ñ\n") << "UTF-8 must pass unchanged";
}

}  // namespace
}  // namespace nocturo::linux_desktop
