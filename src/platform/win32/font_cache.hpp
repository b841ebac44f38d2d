#pragma once

#include <string>
#include <vector>

#include "platform/win32/handles.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "ui/design.hpp"

namespace nocturo::win32 {

// The fonts of one window, created once per face, size and weight at the
// screen's resolution, and owned until the window goes.
class FontCache {
 public:
  explicit FontCache(const PixelScale& scale) : scale_(scale) {}
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  HFONT Get(const FontDesign& design);

 private:
  struct Entry {
    std::wstring face;
    float points = 0;
    bool bold = false;
    UniqueFont font;
  };

  PixelScale scale_;
  std::vector<Entry> entries_;
};

}  // namespace nocturo::win32
