#pragma once

#include <string>
#include <string_view>

namespace nocturo {

// The default conversion of a single-precision number to text: no leading
// zeros, no decimal point for a whole number, a leading minus sign, the
// regional decimal separator for a fraction.
std::string FormatSingle(float value, std::string_view decimalSeparator);

}  // namespace nocturo
