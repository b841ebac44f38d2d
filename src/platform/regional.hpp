#pragma once

#include <string>

namespace nocturo {

// The user's regional settings that text conversions follow.
class Regional {
 public:
  Regional() = default;
  Regional(const Regional&) = delete;
  Regional& operator=(const Regional&) = delete;
  virtual ~Regional() = default;

  // The decimal separator, as UTF-8 ("," on a Spanish system, "." on an
  // English one).
  virtual std::string DecimalSeparator() const = 0;
};

}  // namespace nocturo
