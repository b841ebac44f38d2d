// What every backend reads back from a control, shown or not.
#include "ui/form_model.hpp"

#include <gtest/gtest.h>

#include <string>

namespace nocturo {
namespace {

using enum ControlId;

// A screen of 15 twips a pixel whose text is 100 twips a character, 200 high.
class FixedTextMetrics final : public PixelMetrics {
 public:
  FixedTextMetrics() : PixelMetrics(PixelScale{}) {}
  Extent TextExtent(const ControlDesign& /*label*/, std::string_view text,
                    float /*width*/) const override {
    ++measured;
    return {100.0F * static_cast<float>(text.size()), 200};
  }
  mutable int measured = 0;
};

struct FormModelTest : testing::Test {
  FixedTextMetrics metrics;
  FormModel principal{FrPrincipalDesign(), metrics};
  FormModel acerca{FrAcercaDeDesign(), metrics};
};

TEST_F(FormModelTest, ValuesKeepToWhatTheirKindCanShow) {
  principal.SetValue(chkForzado, 7);
  EXPECT_EQ(principal.Value(chkForzado), 2);
  principal.SetValue(chkForzado, -1);
  EXPECT_EQ(principal.Value(chkForzado), 0);
  principal.SetValue(optModo3, -1);  // any non-zero value selects
  EXPECT_EQ(principal.Value(optModo1), 0);
  EXPECT_EQ(principal.Value(optModo3), 1);
  principal.SetValue(lblAtencion, 1);
  EXPECT_EQ(principal.Value(lblAtencion), 0) << "a label has no value";
}

TEST_F(FormModelTest, OnlyATextBoxReportsTheProgramsWrites) {
  EXPECT_TRUE(principal.SetText(txtDentroDe, principal.Text(txtDentroDe)));
  EXPECT_FALSE(principal.SetText(txtALas, "12:34:56"));
  EXPECT_FALSE(principal.SetText(lblAtencion, "x"));
  EXPECT_EQ(principal.Text(txtALas), "12:34:56");
  principal.SetText(PrincipalBanda, "x");
  EXPECT_EQ(principal.Text(PrincipalBanda), "") << "a panel has no text";
}

TEST_F(FormModelTest, AMultiLineBoxEndsEveryLineWithCrLf) {
  acerca.SetText(leeme, "a\nb\rc\r\nd");
  EXPECT_EQ(acerca.Text(leeme), "a\r\nb\r\nc\r\nd");
  acerca.Typed(leeme, "e\nf");
  EXPECT_EQ(acerca.Text(leeme), "e\r\nf");
}

TEST_F(FormModelTest, PlacesAndSizesAreWholePixels) {
  principal.SetLeft(btnSalir, 1000);
  EXPECT_EQ(principal.Bounds(btnSalir).left, 1005);
  principal.SetWidth(btnSalir, -40);
  EXPECT_EQ(principal.Bounds(btnSalir).width, 0);
}

TEST_F(FormModelTest, AnAutoSizeLabelTakesItsTextsSizeOnlyWhenAsked) {
  principal.SetText(PrincipalTitulo, "abc");
  principal.SetText(PrincipalTitulo, "abcd");
  EXPECT_EQ(metrics.measured, 0) << "measured before anyone asked";
  EXPECT_EQ(principal.Bounds(PrincipalTitulo).width, 400);
  principal.SetLeft(PrincipalTitulo, 30);
  EXPECT_EQ(principal.Bounds(PrincipalTitulo).width, 400) << "a move keeps the text's size";
  principal.SetWidth(PrincipalTitulo, 150);
  principal.SettleSizes();
  EXPECT_EQ(principal.Bounds(PrincipalTitulo).width, 150) << "a given width outlasts the text";
  EXPECT_EQ(principal.Bounds(PrincipalTitulo).height, 200);
}

}  // namespace
}  // namespace nocturo
