// The rules every backend follows, the simulation included.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "ui/colour_parts.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo {
namespace {

using enum ControlId;

TEST(WidgetRules, AnOptionGroupIsOneArrayInOneContainer) {
  EXPECT_EQ(OptionGroup(optModo2), (std::vector<ControlId>{optModo1, optModo2, optModo3}));
  EXPECT_EQ(OptionGroup(optDesconexion1),
            (std::vector<ControlId>{optDesconexion1, optDesconexion2}));
}

TEST(WidgetRules, ADisabledContainerMakesItsContentsUnusable) {
  EXPECT_TRUE(EnabledWithContainers(chkForzado, [](ControlId) { return true; }));
  EXPECT_FALSE(EnabledWithContainers(chkForzado, [](ControlId id) { return id != FrModo; }));
  EXPECT_FALSE(EnabledWithContainers(chkForzado, [](ControlId id) { return id != chkForzado; }));
  EXPECT_TRUE(EnabledWithContainers(FrModo, [](ControlId id) { return id != chkForzado; }));
}

TEST(WidgetRules, TheReadMeShowsItsTextTheOthersTheirCaption) {
  EXPECT_EQ(InitialText(DesignOf(leeme)), LeemeText());
  EXPECT_EQ(InitialText(DesignOf(txtDentroDe)), "60");
}

TEST(WidgetRules, AClickClearsACheckedBoxAndChecksAnyOther) {
  EXPECT_EQ(CheckValueAfterClick(0), 1);
  EXPECT_EQ(CheckValueAfterClick(1), 0);
  EXPECT_EQ(CheckValueAfterClick(2), 1);
}

TEST(WidgetRules, AContainerTakesTheTabPlaceOfItsFirstControl) {
  EXPECT_EQ(TabKey(DesignOf(frDesconexion)), 3);  // its own position is 14
  EXPECT_EQ(TabKey(DesignOf(FrModo)), 7);
  EXPECT_EQ(TabKey(DesignOf(PrincipalBanda)), 18);
  EXPECT_EQ(TabKey(DesignOf(btnSalir)), 2);
  EXPECT_EQ(TabKey(DesignOf(PrincipalLogo)), INT_MAX);
}

TEST(WidgetRules, ControlsAreMadeInTabOrderEachContainerFollowedByItsContents) {
  std::vector<ControlId> made;
  std::vector<ControlId> filled;
  VisitInCreationOrder(
      FrPrincipalDesign(), [&](const ControlDesign& c) { made.push_back(c.id); },
      [&](const ControlDesign& c) {
        filled.push_back(c.id);
        made.push_back(c.id);  // where in the order it was filled
      });
  EXPECT_EQ(made, (std::vector<ControlId>{btnEmpezar,
                                          btnDetener,
                                          btnSalir,
                                          frDesconexion,
                                          optDesconexion1,
                                          optDesconexion2,
                                          txtDentroDe,
                                          txtALas,
                                          lblMinutos1,
                                          lblMinutos2,
                                          frDesconexion,
                                          FrModo,
                                          optModo1,
                                          optModo2,
                                          optModo3,
                                          chkForzado,
                                          FrModo,
                                          FrInformacion,
                                          lblMinRestantes,
                                          lblAtencion,
                                          FrInformacion,
                                          PrincipalBanda,
                                          PrincipalDescripcion,
                                          PrincipalTitulo,
                                          PrincipalLogo,
                                          PrincipalBanda}));
  EXPECT_EQ(filled, (std::vector<ControlId>{frDesconexion, FrModo, FrInformacion, PrincipalBanda}));
}

TEST(WidgetRules, TabReachesAnOptionGroupAtItsSelectedOptionElseItsFirst) {
  EXPECT_EQ(OptionTabStop(optModo1, [](ControlId id) { return id == optModo3 ? 1 : 0; }), optModo3);
  EXPECT_EQ(OptionTabStop(optModo3, [](ControlId) { return 0; }), optModo1);
}

TEST(WidgetRules, OnlyALeftAlignedLabelSizedToItsTextKeepsToOneLine) {
  EXPECT_FALSE(LabelWraps(DesignOf(lblMinutos1)));       // auto-size, left
  EXPECT_TRUE(LabelWraps(DesignOf(lblAtencion)));        // auto-size, centred
  EXPECT_TRUE(LabelWraps(DesignOf(lblMinutos2)));        // its designed size
  EXPECT_TRUE(LabelWraps(DesignOf(AcercaDescripcion)));  // word wrap
  EXPECT_TRUE(SizesToText(DesignOf(lblAtencion)));
  EXPECT_FALSE(SizesToText(DesignOf(lblMinutos2)));
}

TEST(WidgetRules, AControlIsPaintedInItsOwnColourItsKindsOrItsContainers) {
  EXPECT_EQ(BackColourOf(DesignOf(lblMinRestantes)), kSysWindow);
  EXPECT_EQ(BackColourOf(DesignOf(txtALas)), kSysWindow);
  EXPECT_EQ(BackColourOf(DesignOf(leeme)), kSysWindow);
  EXPECT_EQ(BackColourOf(DesignOf(optModo1)), kSysButtonFace);
  EXPECT_EQ(BackColourOf(DesignOf(lblAtencion)), kSysButtonFace);
  EXPECT_EQ(BackColourOf(DesignOf(AcercaLogo)), kSysWindow);
}

TEST(ColourParts, ASystemColourCarriesItsIndexAFixedOneItsComponents) {
  EXPECT_TRUE(IsSystemColour(kSysHighlight));
  EXPECT_EQ(SystemColourIndex(kSysHighlight), 13);
  EXPECT_FALSE(IsSystemColour(kDarkRed));
  const Rgb rgb = RgbOf(0x00336699);
  EXPECT_EQ(rgb.red, 0x99);
  EXPECT_EQ(rgb.green, 0x66);
  EXPECT_EQ(rgb.blue, 0x33);
}

}  // namespace
}  // namespace nocturo
