// The rules every backend follows, the simulation included.
#include <gtest/gtest.h>

#include <climits>
#include <string>
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
  std::string order;
  VisitInCreationOrder(
      FrAcercaDeDesign(), [&](const ControlDesign& c) { order += std::string(c.name) + ' '; },
      [&](const ControlDesign& c) { order += '/' + std::string(c.name) + ' '; });
  EXPECT_EQ(order,
            "leeme cerrarayuda Autor picVentana2000 lblDescripcionVentana lblTituloVentana "
            "imgLogoVentana /picVentana2000 LBsistemaoperativo ");
}

TEST(WidgetRules, TabReachesAnOptionGroupAtItsSelectedOptionElseItsFirst) {
  EXPECT_EQ(OptionTabStop(optModo1, [](ControlId id) { return id == optModo3 ? 1 : 0; }), optModo3)
      << "Tab must reach the selected option";
  EXPECT_EQ(OptionTabStop(optModo3, [](ControlId) { return 0; }), optModo1)
      << "with none selected, Tab must reach the first option";
}

TEST(WidgetRules, OnlyALeftAlignedLabelSizedToItsTextKeepsToOneLine) {
  EXPECT_FALSE(LabelWraps(DesignOf(lblMinutos1))) << "auto-size, left";
  EXPECT_TRUE(LabelWraps(DesignOf(lblAtencion))) << "auto-size, centred";
  EXPECT_TRUE(LabelWraps(DesignOf(lblMinutos2))) << "its designed size";
  EXPECT_TRUE(LabelWraps(DesignOf(AcercaDescripcion))) << "word wrap";
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
