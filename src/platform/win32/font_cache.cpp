#include "platform/win32/font_cache.hpp"

#include "platform/win32/wide_text.hpp"

namespace nocturo::win32 {

HFONT FontCache::Get(const FontDesign& design) {
  const std::wstring face = Widen(design.face);
  for (const Entry& entry : entries_) {
    if (entry.face == face && entry.points == design.points && entry.bold == design.bold) {
      return entry.font.get();
    }
  }
  // A negative height asks for the character height, as point sizes mean.
  UniqueFont font(::CreateFontW(-scale_.PointsToPixels(design.points), 0, 0, 0,
                                design.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  const HFONT handle = font.get();
  entries_.push_back({face, design.points, design.bold, std::move(font)});
  return handle;
}

}  // namespace nocturo::win32
