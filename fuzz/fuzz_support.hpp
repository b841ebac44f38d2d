#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

namespace nocturo::fuzz {

// A broken property is a finding: say which and stop, so that libFuzzer keeps
// the input.
inline void Require(bool holds, const char* property) {
  if (!holds) {
    static_cast<void>(std::fprintf(stderr, "property broken: %s\n", property));
    std::abort();
  }
}

// Reads the fuzzer's bytes from the front; past the end it gives zeros.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool Empty() const { return bytes_.empty(); }

  std::uint8_t Byte() {
    if (bytes_.empty()) {
      return 0;
    }
    const std::uint8_t value = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return value;
  }

  // Up to count bytes, as text.
  std::string_view Text(std::size_t count) {
    count = count < bytes_.size() ? count : bytes_.size();
    const std::string_view text(reinterpret_cast<const char*>(bytes_.data()), count);
    bytes_ = bytes_.subspan(count);
    return text;
  }

  std::string_view Rest() { return Text(bytes_.size()); }

 private:
  std::span<const std::uint8_t> bytes_;
};

// Decimal separators of real regional settings, plus the awkward cases: a
// multi-byte one, a two-character one and none at all.
inline constexpr std::array<std::string_view, 5> kSeparators = {",", ".", "\xD9\xAB", "<>", ""};

inline std::string_view SeparatorFrom(std::uint8_t byte) {
  return kSeparators[byte % kSeparators.size()];
}

// The separators with which a fraction can be written at all.
inline bool CanWriteFractions(std::string_view separator) {
  return separator == "," || separator == "." || separator == "\xD9\xAB";
}

}  // namespace nocturo::fuzz
