// The rules every backend follows, the simulation included.
#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
}  // namespace nocturo
