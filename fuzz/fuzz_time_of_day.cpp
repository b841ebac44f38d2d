// Time-of-day texts: parsing, formatting and the masked box's program writes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/masked_time.hpp"
#include "common/time_of_day.hpp"
#include "fuzz_support.hpp"
#include "scheduler/schedule.hpp"

using nocturo::fuzz::Require;

namespace {

void CheckTwoDigits(std::int32_t value) {
  const std::string text = nocturo::FormatTwoDigits(value);
  const std::string plain = std::to_string(value);
  const std::size_t digits = text.size() - (value < 0 ? 1 : 0);
  Require(digits >= 2, "at least two digits");
  Require(
      text == plain || (digits == 2 && text.back() == plain.back() && text[text.size() - 2] == '0'),
      "only a single digit is padded, with one zero");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nocturo::fuzz::ByteReader input(data, size);
  std::uint32_t raw = 0;
  for (int i = 0; i < 4; ++i) {
    raw = (raw << 8U) | input.Byte();
  }
  CheckTwoDigits(static_cast<std::int32_t>(raw));

  const auto time = nocturo::ParseTimeOfDay(input.Rest());
  if (!time) {
    return 0;
  }
  Require(time->hour >= 0 && time->hour <= 23, "hour 0 to 23");
  Require(time->minute >= 0 && time->minute <= 59, "minute 0 to 59");
  Require(time->second >= 0 && time->second <= 59, "second 0 to 59");
  const std::int32_t seconds = nocturo::SegundosDelDia(*time);
  Require(seconds >= 0 && seconds <= 86399, "seconds of day 0 to 86,399");

  const std::string text = nocturo::FormatHms(*time);
  Require(text.size() == 8, "hh:mm:ss is eight characters");
  Require(nocturo::ParseTimeOfDay(text) == time, "hh:mm:ss reads back the same time");

  nocturo::MaskedTime box;
  box.SetText(text);
  Require(box.Text() == text, "the time box takes hh:mm:ss as it is");
  return 0;
}
