// Conversions between UTF-8, UTF-16 and code page 1252 on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/text_encoding.hpp"
#include "fuzz_support.hpp"

using nocturo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nocturo::fuzz::ByteReader input(data, size);
  const std::string_view bytes = input.Rest();

  // Whatever comes in, UTF-16 and back is valid UTF-8 that converts stably.
  const std::u16string wide = nocturo::Utf8ToUtf16(bytes);
  Require(wide.size() <= bytes.size(), "never more UTF-16 units than bytes");
  const std::string utf8 = nocturo::Utf16ToUtf8(wide);
  Require(nocturo::Utf8ToUtf16(utf8) == wide, "clean UTF-8 round-trips through UTF-16");
  if (utf8 == bytes) {
    Require(nocturo::Utf16ToUtf8(wide) == bytes, "valid UTF-8 comes back unchanged");
  }

  // Code page 1252: one byte per character.
  const std::string ansi = nocturo::Utf8ToCp1252(utf8);
  std::size_t characters = 0;
  for (const char16_t unit : wide) {
    characters += (unit >= 0xDC00 && unit <= 0xDFFF) ? 0 : 1;
  }
  Require(ansi.size() == characters, "one code page byte per character");
  const std::string fromAnsi = nocturo::Cp1252ToUtf8(bytes);
  Require(nocturo::Utf8ToCp1252(fromAnsi).size() == bytes.size(),
          "each code page byte is one character");
  return 0;
}
