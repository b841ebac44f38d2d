#include <array>

#include "ui/design.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using K = ControlKind;

constexpr FontDesign kReadmeFont{"Tahoma", 8.25F, false};

// A name, a run of 23 blanks that pushes the address onto its own line within
// the label's width, and the address: 61 characters.
constexpr std::string_view kAutor = "El equipo de Nocturo                       equipo@example.org";

// One control a row, as the window's designer laid it out.
// clang-format off
const std::array kControls = std::to_array<ControlDesign>({
    {.id = AcercaBanda, .kind = K::Panel, .name = "picVentana2000", .left = 0, .top = 0,
     .width = 4440, .height = 855, .tabIndex = 3, .backColour = kSysWindow,
     .foreColour = kSysWindowText},
    {.id = AcercaTitulo, .kind = K::Label, .parent = AcercaBanda, .name = "lblTituloVentana",
     .caption = "Nocturo 2.5", .left = 315, .top = 120, .width = 1065, .height = 195, .tabIndex = 5,
     .font = kSansSerifBold, .backColour = kSysWindow, .foreColour = kSysWindowText,
     .autoSize = true},
    {.id = AcercaDescripcion, .kind = K::Label, .parent = AcercaBanda,
     .name = "lblDescripcionVentana", .caption = "Programa el apagado de tu PC.", .left = 645,
     .top = 360, .width = 3180, .height = 435, .tabIndex = 4, .backColour = kSysWindow,
     .foreColour = kSysWindowText, .wordWrap = true},
    {.id = AcercaLogo, .kind = K::Image, .parent = AcercaBanda, .name = "imgLogoVentana",
     .left = 3720, .top = 120, .width = 480, .height = 480},
    {.id = Autor, .kind = K::Label, .name = "Autor", .caption = kAutor, .left = 120, .top = 960,
     .width = 1815, .height = 615, .tabIndex = 2, .wordWrap = true},
    {.id = cerrarayuda, .kind = K::Button, .name = "cerrarayuda", .caption = "Cerrar",
     .left = 2760, .top = 960, .width = 1095, .height = 375, .tabIndex = 1},
    {.id = LBsistemaoperativo, .kind = K::Label, .name = "LBsistemaoperativo", .left = 2280,
     .top = 1560, .width = 2055, .height = 255, .tabIndex = 6, .align = Align::Centre},
    {.id = leeme, .kind = K::TextBox, .name = "leeme", .left = 0, .top = 1800, .width = 4455,
     .height = 3375, .tabIndex = 0, .font = kReadmeFont, .multiLine = true,
     .verticalScroll = true, .readOnly = true},
});
// clang-format on

const std::array kMenuItems = std::to_array<MenuItemDesign>({
    {.name = "mnuTray", .index = 1, .caption = "&Mostrar..."},
    {.name = "mnuTray", .index = 2, .caption = "&Acerca de..."},
    {.name = "mnuTray", .index = 3, .caption = "&Salir"},
});

const WindowDesign kDesign{
    .id = WindowId::AcercaDe,
    .name = "FrAcercaDe",
    .caption = "Acerca de...",
    .clientWidth = 4440,
    .clientHeight = 5190,
    .font = kSansSerif,
    .hasIcon = false,
    .controls = kControls,
    .menu = {.name = "mnuSTray", .caption = "Menu", .items = kMenuItems},
    .focusWhenShown = ControlId::leeme,
};

}  // namespace

const WindowDesign& FrAcercaDeDesign() {
  return kDesign;
}

}  // namespace nocturo
