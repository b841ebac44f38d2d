#pragma once

#include <cstdint>

namespace nocturo {

// The program's two windows. Both exist for the whole run once created.
enum class WindowId : std::uint8_t { Principal, AcercaDe };

// Every control of both windows. The header band exists in each window, so its
// parts appear twice. The numeric values are stable: the Windows build uses
// them (plus kControlIdBase) as the controls' dialog identifiers, which the
// end-to-end driver relies on.
enum class ControlId : std::uint16_t {
  // FrPrincipal
  PrincipalBanda = 1,        // picVentana2000
  PrincipalTitulo = 2,       // lblTituloVentana
  PrincipalDescripcion = 3,  // lblDescripcionVentana
  PrincipalLogo = 4,         // imgLogoVentana
  frDesconexion = 5,
  optDesconexion1 = 6,
  txtDentroDe = 7,
  lblMinutos1 = 8,
  optDesconexion2 = 9,
  txtALas = 10,
  lblMinutos2 = 11,
  FrModo = 12,
  optModo1 = 13,
  optModo2 = 14,
  optModo3 = 15,
  chkForzado = 16,
  FrInformacion = 17,
  lblAtencion = 18,
  lblMinRestantes = 19,
  btnEmpezar = 20,
  btnDetener = 21,
  btnSalir = 22,
  // FrAcercaDe
  AcercaBanda = 31,        // picVentana2000
  AcercaTitulo = 32,       // lblTituloVentana
  AcercaDescripcion = 33,  // lblDescripcionVentana
  AcercaLogo = 34,         // imgLogoVentana
  Autor = 35,
  cerrarayuda = 36,
  LBsistemaoperativo = 37,
  leeme = 38,
};

// Offset between a ControlId and the dialog identifier of its Windows control.
inline constexpr int kControlIdBase = 1000;

// Colours use the platform's numbering: 0x00BBGGRR, or 0x8000000n for the
// system colour with index n.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kDarkRed = 0x000080;
inline constexpr Colour kSysWindow = 0x80000005;
inline constexpr Colour kSysWindowText = 0x80000008;
inline constexpr Colour kSysHighlight = 0x8000000D;
inline constexpr Colour kSysButtonFace = 0x8000000F;

}  // namespace nocturo
