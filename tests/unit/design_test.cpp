#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ui/design.hpp"

namespace nocturo {
namespace {

using enum ControlId;

std::vector<ControlId> InTabOrder(const WindowDesign& design) {
  std::vector<const ControlDesign*> controls;
  for (const ControlDesign& control : design.controls) {
    controls.push_back(&control);
  }
  std::sort(controls.begin(), controls.end(),
            [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
  std::vector<ControlId> ids;
  for (const auto* control : controls) {
    if (control->kind != ControlKind::Image) {
      ids.push_back(control->id);
    }
  }
  return ids;
}

TEST(Designs, TabPositionsAreUniqueInEachWindow) {
  for (const WindowDesign* design : {&FrPrincipalDesign(), &FrAcercaDeDesign()}) {
    std::set<int> seen;
    for (const ControlDesign& control : design->controls) {
      if (control.kind != ControlKind::Image) {
        EXPECT_TRUE(seen.insert(control.tabIndex).second) << control.name;
      }
    }
  }
}

TEST(Designs, TheMainWindowsTabOrderStartsWithTheButtonsThenTheInputs) {
  const std::vector<ControlId> order = InTabOrder(FrPrincipalDesign());
  const std::vector<ControlId> first{btnEmpezar,      btnDetener,  btnSalir, optDesconexion1,
                                     optDesconexion2, txtDentroDe, txtALas,  optModo1,
                                     optModo2,        optModo3};
  EXPECT_TRUE(std::equal(first.begin(), first.end(), order.begin()));
  EXPECT_EQ(InTabOrder(FrAcercaDeDesign()).front(), leeme);
}

TEST(Designs, EachOptionGroupHasExactlyOneSelectedItem) {
  for (std::string_view group : {"optDesconexion", "optModo"}) {
    int selected = 0;
    for (const ControlDesign& control : FrPrincipalDesign().controls) {
      if (control.name == group) {
        selected += control.value;
      }
    }
    EXPECT_EQ(selected, 1) << group;
  }
}

TEST(Designs, ChildrenLieInsideTheirContainers) {
  for (const WindowDesign* design : {&FrPrincipalDesign(), &FrAcercaDeDesign()}) {
    for (const ControlDesign& control : design->controls) {
      if (!control.parent) {
        continue;
      }
      const ControlDesign& parent = DesignOf(*control.parent);
      EXPECT_LE(control.left + control.width, parent.width) << control.name;
      EXPECT_LE(control.top + control.height, parent.height) << control.name;
      EXPECT_EQ(WindowOf(control.id), design->id);
    }
  }
}

TEST(Designs, TheStartStateIsStopped) {
  EXPECT_FALSE(DesignOf(btnDetener).enabled);
  EXPECT_EQ(DesignOf(txtDentroDe).caption, "60");
  EXPECT_EQ(DesignOf(txtDentroDe).maxLength, 3);
  EXPECT_EQ(DesignOf(lblAtencion).caption, "ATENCIÓN!!");
  EXPECT_EQ(DesignOf(lblMinRestantes).caption, "");
  EXPECT_EQ(DesignOf(chkForzado).value, 0);
  EXPECT_EQ(DesignOf(txtALas).mask, "##:##:##");
}

TEST(Designs, TheAuthorCreditPushesTheAddressOntoItsOwnLine) {
  const std::string_view credit = DesignOf(Autor).caption;
  EXPECT_EQ(credit.size(), 61U);
  EXPECT_NE(credit.find(std::string(23, ' ')), std::string_view::npos);
  EXPECT_NE(credit.find("@example.org"), std::string_view::npos);
}

TEST(Designs, TheTrayMenuHasItsThreeItems) {
  const MenuDesign& menu = FrAcercaDeDesign().menu;
  EXPECT_EQ(menu.name, "mnuSTray");
  ASSERT_EQ(menu.items.size(), 3U);
  EXPECT_EQ(menu.items[0].caption, "&Mostrar...");
  EXPECT_EQ(menu.items[1].caption, "&Acerca de...");
  EXPECT_EQ(menu.items[2].caption, "&Salir");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(menu.items[static_cast<std::size_t>(i)].index, i + 1);
  }
}

}  // namespace
}  // namespace nocturo
