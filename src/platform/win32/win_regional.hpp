#pragma once

#include "platform/regional.hpp"

namespace nocturo::win32 {

// The user's regional settings from the system's locale information.
class WinRegional final : public Regional {
 public:
  std::string DecimalSeparator() const override;
};

}  // namespace nocturo::win32
