#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/control_ids.hpp"

namespace nocturo {

enum class ControlKind : std::uint8_t {
  Panel,  // picture box holding other controls
  Label,
  Image,  // the header logo
  Button,
  Frame,  // captioned container
  TextBox,
  MaskedTimeBox,  // "##:##:##" time of day
  OptionButton,
  CheckBox,
};

struct FontDesign {
  std::string_view face;
  float points = 8.25F;
  bool bold = false;
};

inline constexpr FontDesign kTahoma{"Tahoma", 8.25F, false};
inline constexpr FontDesign kTahomaBold{"Tahoma", 8.25F, true};
inline constexpr FontDesign kSansSerif{"MS Sans Serif", 8.25F, false};
inline constexpr FontDesign kSansSerifBold{"MS Sans Serif", 8.25F, true};

enum class Align : std::uint8_t { Left, Centre, Right };

// One control as the window's designer placed it. Geometry in twips, relative
// to the container's client area.
struct ControlDesign {
  ControlId id{};
  ControlKind kind{};
  std::optional<ControlId> parent;  // nothing: the window's client area
  std::string_view name;            // the control's name in the program
  int index = 0;                    // position in its control array, 0 when none
  std::string_view caption;         // UTF-8
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
  int tabIndex = 0;
  std::optional<FontDesign> font;    // nothing: the window's font
  std::optional<Colour> backColour;  // nothing: the kind's default
  std::optional<Colour> foreColour;
  Align align = Align::Left;
  bool autoSize = false;  // the label takes the size of its caption
  bool wordWrap = false;
  bool enabled = true;
  int value = 0;      // option buttons and check boxes
  int maxLength = 0;  // text boxes; 0: no limit
  bool multiLine = false;
  bool verticalScroll = false;
  bool readOnly = false;
  std::string_view mask;  // masked box
  char promptChar = '_';
};

struct MenuItemDesign {
  std::string_view name;
  int index = 0;
  std::string_view caption;
};

// A hidden top-level menu: never shown as a menu bar, used only as a popup.
struct MenuDesign {
  std::string_view name;
  std::string_view caption;
  std::span<const MenuItemDesign> items;
};

struct WindowDesign {
  WindowId id{};
  std::string_view name;
  std::string_view caption;
  float clientWidth = 0;   // twips
  float clientHeight = 0;  // twips
  FontDesign font = kSansSerif;
  bool hasIcon = false;
  std::span<const ControlDesign> controls;
  MenuDesign menu;
  // The control that has the focus each time the window is shown; nothing:
  // the focus returns to where the user left it.
  std::optional<ControlId> focusWhenShown;
};

const WindowDesign& FrPrincipalDesign();
const WindowDesign& FrAcercaDeDesign();
const WindowDesign& DesignOf(WindowId window);
const ControlDesign& DesignOf(ControlId control);
WindowId WindowOf(ControlId control);

// The text of the read-me shown in the About window, UTF-8, lines ended by CR LF.
std::string_view LeemeText();

}  // namespace nocturo
