#include <gtest/gtest.h>

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

}  // namespace
}  // namespace nocturo
