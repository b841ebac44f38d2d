// The command line: any text gives options that make sense, the same ones
// every time, and a flag exactly when its switch is in the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "scheduler/command_line.hpp"

using nocturo::fuzz::Require;

namespace {

// Letter case ignored for ASCII letters only, as switches are ASCII.
bool Contains(std::string_view text, std::string_view upperSwitch) {
  if (text.size() < upperSwitch.size()) {
    return false;
  }
  for (std::size_t p = 0; p + upperSwitch.size() <= text.size(); ++p) {
    bool match = true;
    for (std::size_t k = 0; match && k < upperSwitch.size(); ++k) {
      char c = text[p + k];
      if (c >= 'a' && c <= 'z') {
        c = static_cast<char>(c - 'a' + 'A');
      }
      match = c == upperSwitch[k];
    }
    if (match) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nocturo::fuzz::ByteReader input(data, size);
  const std::string_view separator = nocturo::fuzz::SeparatorFrom(input.Byte());
  const std::string_view text = input.Rest();

  const nocturo::CommandLineOptions options = nocturo::ParseCommandLine(text, separator);
  Require(nocturo::ParseCommandLine(text, separator) == options, "the same text, the same options");

  if (options.atTime) {
    Require(Contains(text, "/A"), "a time only with /A");
    Require(options.atTime->hour >= 0 && options.atTime->hour <= 23, "hour 0 to 23");
    Require(options.atTime->minute >= 0 && options.atTime->minute <= 59, "minute 0 to 59");
    Require(options.atTime->second == 0, "/A gives whole minutes");
  }
  if (options.withinMinutes) {
    Require(Contains(text, "/D"), "minutes only with /D");
  }
  Require(options.powerOff == Contains(text, "/MA"), "/MA anywhere, any case");
  Require(options.restart == Contains(text, "/MR"), "/MR anywhere, any case");
  Require(options.logOff == Contains(text, "/ML"), "/ML anywhere, any case");
  Require(options.force == Contains(text, "/F"), "/F anywhere, any case");
  Require(options.start == Contains(text, "/E"), "/E anywhere, any case");
  Require(options.show == Contains(text, "/S"), "/S anywhere, any case");
  Require(options.immediate == Contains(text, "/I"), "/I anywhere, any case");
  return 0;
}
