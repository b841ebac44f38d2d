#pragma once

#include <string>

#include "platform/regional.hpp"

namespace nocturo::linux_desktop {

// The decimal separator of the user's numeric locale (LC_NUMERIC, LC_ALL or
// LANG), as Qt reads it.
class LinuxRegional final : public Regional {
 public:
  std::string DecimalSeparator() const override;
};

}  // namespace nocturo::linux_desktop
