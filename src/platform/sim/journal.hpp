#pragma once

#include <string>
#include <vector>

namespace nocturo::sim {

// One log of what the program did to the simulated system, windows and store,
// in order, so tests can check sequences that cross them.
struct Journal {
  std::vector<std::string> entries;
  void Add(std::string entry) { entries.push_back(std::move(entry)); }
};

}  // namespace nocturo::sim
