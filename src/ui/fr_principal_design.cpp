#include <array>

#include "ui/design.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using K = ControlKind;

constexpr FontDesign kStatusFont{"Tahoma", 14.25F, true};
constexpr FontDesign kTimeFont{"Tahoma", 20.25F, true};

// Top to bottom, each container before its children. Kept as a table, one
// control a row, as the window's designer laid it out.
// clang-format off
const std::array kControls = std::to_array<ControlDesign>({
    {.id = PrincipalBanda, .kind = K::Panel, .name = "picVentana2000",
     .left = 0, .top = 0, .width = 3615, .height = 855, .tabIndex = 18,
     .backColour = kSysWindow, .foreColour = kSysWindowText},
    {.id = PrincipalTitulo, .kind = K::Label, .parent = PrincipalBanda, .name = "lblTituloVentana",
     .caption = "Nocturo 2.5", .left = 315, .top = 120, .width = 1065, .height = 195, .tabIndex = 20,
     .font = kSansSerifBold, .backColour = kSysWindow, .foreColour = kSysWindowText,
     .autoSize = true},
    {.id = PrincipalDescripcion, .kind = K::Label, .parent = PrincipalBanda,
     .name = "lblDescripcionVentana",
     .caption = "Elige los parámetros y pulsa el botón de Empezar.", .left = 645, .top = 360,
     .width = 2220, .height = 435, .tabIndex = 19, .backColour = kSysWindow,
     .foreColour = kSysWindowText, .wordWrap = true},
    {.id = PrincipalLogo, .kind = K::Image, .parent = PrincipalBanda, .name = "imgLogoVentana",
     .left = 3000, .top = 120, .width = 480, .height = 480},

    {.id = frDesconexion, .kind = K::Frame, .name = "frDesconexion", .caption = "Desconexión",
     .left = 240, .top = 960, .width = 3135, .height = 1215, .tabIndex = 14, .font = kTahomaBold},
    {.id = optDesconexion1, .kind = K::OptionButton, .parent = frDesconexion,
     .name = "optDesconexion", .index = 1, .caption = "Den&tro de", .left = 240, .top = 360,
     .width = 1095, .height = 195, .tabIndex = 3, .value = 1},
    {.id = txtDentroDe, .kind = K::TextBox, .parent = frDesconexion, .name = "txtDentroDe",
     .caption = "60", .left = 1440, .top = 315, .width = 855, .height = 285, .tabIndex = 5,
     .align = Align::Right, .maxLength = 3},
    {.id = lblMinutos1, .kind = K::Label, .parent = frDesconexion, .name = "lblMinutos", .index = 1,
     .caption = "minutos", .left = 2400, .top = 360, .width = 555, .height = 195, .tabIndex = 15,
     .autoSize = true},
    {.id = optDesconexion2, .kind = K::OptionButton, .parent = frDesconexion,
     .name = "optDesconexion", .index = 2, .caption = "&A las", .left = 240, .top = 720,
     .width = 735, .height = 255, .tabIndex = 4},
    {.id = txtALas, .kind = K::MaskedTimeBox, .parent = frDesconexion, .name = "txtALas",
     .left = 1440, .top = 720, .width = 855, .height = 285, .tabIndex = 6, .mask = "##:##:##",
     .promptChar = '_'},
    {.id = lblMinutos2, .kind = K::Label, .parent = frDesconexion, .name = "lblMinutos", .index = 2,
     .caption = "horas", .left = 2400, .top = 765, .width = 555, .height = 195, .tabIndex = 16},

    {.id = FrModo, .kind = K::Frame, .name = "FrModo", .caption = "Modo", .left = 240, .top = 2280,
     .width = 3135, .height = 1095, .tabIndex = 10, .font = kTahomaBold},
    {.id = optModo1, .kind = K::OptionButton, .parent = FrModo, .name = "optModo", .index = 1,
     .caption = "A&pagar", .left = 120, .top = 360, .width = 855, .height = 195, .tabIndex = 7,
     .value = 1},
    {.id = optModo2, .kind = K::OptionButton, .parent = FrModo, .name = "optModo", .index = 2,
     .caption = "&Reset", .left = 120, .top = 720, .width = 1095, .height = 255, .tabIndex = 8},
    {.id = optModo3, .kind = K::OptionButton, .parent = FrModo, .name = "optModo", .index = 3,
     .caption = "&Log OUT", .left = 1560, .top = 360, .width = 975, .height = 255, .tabIndex = 9},
    {.id = chkForzado, .kind = K::CheckBox, .parent = FrModo, .name = "chkForzado",
     .caption = "Forzar", .left = 1560, .top = 720, .width = 1095, .height = 255, .tabIndex = 17},

    {.id = FrInformacion, .kind = K::Frame, .name = "FrInformacion", .caption = "Información",
     .left = 240, .top = 3480, .width = 3135, .height = 1455, .tabIndex = 11, .font = kTahomaBold},
    {.id = lblAtencion, .kind = K::Label, .parent = FrInformacion, .name = "lblAtencion",
     .caption = "ATENCIÓN!!", .left = 675, .top = 360, .width = 1785, .height = 345,
     .tabIndex = 13, .font = kStatusFont, .foreColour = kSysWindowText, .align = Align::Centre,
     .autoSize = true},
    {.id = lblMinRestantes, .kind = K::Label, .parent = FrInformacion, .name = "lblMinRestantes",
     .left = 360, .top = 720, .width = 2415, .height = 525, .tabIndex = 12, .font = kTimeFont,
     .backColour = kSysWindow, .foreColour = kSysHighlight, .align = Align::Centre},

    {.id = btnEmpezar, .kind = K::Button, .name = "btnEmpezar", .caption = "&Empezar", .left = 255,
     .top = 5040, .width = 975, .height = 375, .tabIndex = 0},
    {.id = btnDetener, .kind = K::Button, .name = "btnDetener", .caption = "&Detener", .left = 1335,
     .top = 5040, .width = 975, .height = 375, .tabIndex = 1, .enabled = false},
    {.id = btnSalir, .kind = K::Button, .name = "btnSalir", .caption = "&Ocultar", .left = 2415,
     .top = 5040, .width = 975, .height = 375, .tabIndex = 2},
});
// clang-format on

const std::array kMenuItems = std::to_array<MenuItemDesign>({
    {.name = "mnuMostrar", .index = 0, .caption = "&Mostrar"},
});

const WindowDesign kDesign{
    .id = WindowId::Principal,
    .name = "FrPrincipal",
    .caption = "Nocturo",
    .clientWidth = 3615,
    .clientHeight = 5595,
    .font = kTahoma,
    .hasIcon = true,
    .controls = kControls,
    .menu = {.name = "mnuPrueba", .caption = "Prueba", .items = kMenuItems},
};

}  // namespace

const WindowDesign& FrPrincipalDesign() {
  return kDesign;
}

}  // namespace nocturo
