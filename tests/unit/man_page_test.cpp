#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>

#include "scheduler/countdown_text.hpp"

namespace nocturo {
namespace {

std::string ManPage() {
  std::ifstream page(NOCTURO_SOURCE_DIR "/packaging/linux/nocturo.1.in", std::ios::binary);
  return {std::istreambuf_iterator<char>(page), std::istreambuf_iterator<char>()};
}

TEST(ManPage, QuotesTheWarningAsTheProgramShowsIt) {
  const std::string page = ManPage();
  ASSERT_FALSE(page.empty()) << "packaging/linux/nocturo.1.in could not be read";
  const std::string quoted = "«" + std::string(kAtencion) + "»";
  EXPECT_NE(page.find(quoted), std::string::npos) << "the man page does not say " << quoted;
}

// logind still refuses a forced power off at another user's block unless the
// system's policy lets it pass without a password; the page must not promise
// more.
TEST(ManPage, DoesNotPromiseAForcedPowerOffPastAnotherUsersBlock) {
  const std::string page = ManPage();
  const std::size_t example = page.find(".B nocturo /F /MA /I\n");
  ASSERT_NE(example, std::string::npos) << "the man page has no /F /MA /I example";
  const std::string said = page.substr(example, page.find("\n.", example + 1) - example);
  EXPECT_EQ(said.find("pase lo que pase"), std::string::npos)
      << "the man page promises a forced power off whatever happens: " << said;
  EXPECT_NE(said.find("contraseña"), std::string::npos)
      << "the man page does not say that another user's block still refuses a forced power "
         "off unless the system's policy allows it without a password: "
      << said;
}

}  // namespace
}  // namespace nocturo
