#include "common/masked_time.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace nocturo {
namespace {

MaskedTime Holding(std::string_view text) {
  MaskedTime box;
  box.SetText(text);
  return box;
}

void TypeAll(MaskedTime& box, std::string_view keys) {
  for (const char key : keys) {
    box.Type(key);
  }
}

// A new box and program writes

TEST(MaskedTimeSetText, StartsAsPromptsAndColons) {
  const MaskedTime box;
  EXPECT_EQ(box.Text(), "__:__:__");
  EXPECT_EQ(box.Caret(), 0U);
  EXPECT_EQ(box.SelectionStart(), box.SelectionEnd());
}

TEST(MaskedTimeSetText, TakesAWellFormedTimeAsItIs) {
  EXPECT_EQ(Holding("22:30:00").Text(), "22:30:00");
}

TEST(MaskedTimeSetText, PutsPromptsWhereTheCharacterDoesNotFitTheMask) {
  EXPECT_EQ(Holding("2a:3 :0").Text(), "2_:3_:0_");
  EXPECT_EQ(Holding("223000").Text(), "22:00:__");
  EXPECT_EQ(Holding("").Text(), "__:__:__");
}

TEST(MaskedTimeSetText, KeepsTheColonsWhateverIsWrittenOverThem) {
  EXPECT_EQ(Holding("12345678").Text(), "12:45:78");
}

TEST(MaskedTimeSetText, CutsLongerTextAndMovesTheCaretToTheStart) {
  MaskedTime box;
  box.End();
  box.SetText("22:30:00 and more");
  EXPECT_EQ(box.Text(), "22:30:00");
  EXPECT_EQ(box.Caret(), 0U);
}

// Typing

TEST(MaskedTimeType, FillsTheDigitPlacesAndSkipsTheColons) {
  MaskedTime box;
  TypeAll(box, "223000");
  EXPECT_EQ(box.Text(), "22:30:00");
  EXPECT_EQ(box.Caret(), 8U);
}

TEST(MaskedTimeType, MovesTheCaretPastAColonThatFollows) {
  MaskedTime box;
  box.Type('2');
  box.Type('2');
  EXPECT_EQ(box.Caret(), 3U);
}

TEST(MaskedTimeType, OverwritesRatherThanInserts) {
  MaskedTime box = Holding("22:30:00");
  box.MoveCaret(3);
  EXPECT_TRUE(box.Type('4'));
  EXPECT_EQ(box.Text(), "22:40:00");
}

TEST(MaskedTimeType, WritesAtTheNextDigitPlaceWhenTheCaretIsBeforeAColon) {
  MaskedTime box = Holding("22:30:00");
  box.MoveCaret(2);
  EXPECT_TRUE(box.Type('5'));
  EXPECT_EQ(box.Text(), "22:50:00");
  EXPECT_EQ(box.Caret(), 4U);
}

TEST(MaskedTimeType, RefusesAnythingButDigits) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(0, 8);
  for (const char key : {'a', ':', ' ', '-', '_', '\0', '\x7f', '\xe9'}) {
    EXPECT_FALSE(box.Type(key));
  }
  EXPECT_EQ(box.Text(), "22:30:00");
  EXPECT_EQ(box.SelectionStart(), 0U);
  EXPECT_EQ(box.SelectionEnd(), 8U);
}

TEST(MaskedTimeType, DoesNothingAtTheEnd) {
  MaskedTime box = Holding("22:30:00");
  box.End();
  EXPECT_FALSE(box.Type('1'));
  EXPECT_EQ(box.Text(), "22:30:00");
  EXPECT_EQ(box.Caret(), 8U);
}

TEST(MaskedTimeType, ReportsNoChangeWhenTheSameDigitIsTypedAgain) {
  MaskedTime box = Holding("22:30:00");
  EXPECT_FALSE(box.Type('2'));
  EXPECT_EQ(box.Caret(), 1U);
}

TEST(MaskedTimeType, ReportsNoChangeWhenTheSelectionHeldJustThatDigit) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(0, 1);
  EXPECT_FALSE(box.Type('2'));
  EXPECT_EQ(box.Text(), "22:30:00");
  EXPECT_EQ(box.Caret(), 1U);
}

TEST(MaskedTimeType, ClearsTheSelectionThenWritesAtItsStart) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(1, 7);
  EXPECT_TRUE(box.Type('1'));
  EXPECT_EQ(box.Text(), "21:__:_0");
  EXPECT_EQ(box.Caret(), 3U);
}

TEST(MaskedTimeType, WritesAfterASelectionThatStartsOnAColon) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(5, 8);
  EXPECT_TRUE(box.Type('9'));
  EXPECT_EQ(box.Text(), "22:30:9_");
  EXPECT_EQ(box.Caret(), 7U);
}

// Deleting

TEST(MaskedTimeBackspace, PutsThePromptBeforeTheCaretAndMovesThere) {
  MaskedTime box = Holding("22:30:00");
  box.End();
  EXPECT_TRUE(box.Backspace());
  EXPECT_EQ(box.Text(), "22:30:0_");
  EXPECT_EQ(box.Caret(), 7U);
}

TEST(MaskedTimeBackspace, SkipsAColonBeforeTheCaret) {
  MaskedTime box = Holding("22:30:00");
  box.MoveCaret(3);
  EXPECT_TRUE(box.Backspace());
  EXPECT_EQ(box.Text(), "2_:30:00");
  EXPECT_EQ(box.Caret(), 1U);
}

TEST(MaskedTimeBackspace, DoesNothingAtTheStart) {
  MaskedTime box = Holding("22:30:00");
  EXPECT_FALSE(box.Backspace());
  EXPECT_EQ(box.Text(), "22:30:00");
  EXPECT_EQ(box.Caret(), 0U);
}

TEST(MaskedTimeBackspace, ClearsASelectionInstead) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(0, 5);
  EXPECT_TRUE(box.Backspace());
  EXPECT_EQ(box.Text(), "__:__:00");
  EXPECT_EQ(box.Caret(), 0U);
}

TEST(MaskedTimeBackspace, EmptiesTheWholeBoxFromTheEnd) {
  MaskedTime box = Holding("22:30:00");
  box.End();
  for (int i = 0; i < 10; ++i) {
    box.Backspace();
  }
  EXPECT_EQ(box.Text(), "__:__:__");
  EXPECT_EQ(box.Caret(), 0U);
}

TEST(MaskedTimeDelete, PutsThePromptAtTheCaretWhichStays) {
  MaskedTime box = Holding("22:30:00");
  box.MoveCaret(2);
  EXPECT_TRUE(box.Delete());
  EXPECT_EQ(box.Text(), "22:_0:00");
  EXPECT_EQ(box.Caret(), 2U);
}

TEST(MaskedTimeDelete, DoesNothingAtTheEnd) {
  MaskedTime box = Holding("22:30:00");
  box.End();
  EXPECT_FALSE(box.Delete());
  EXPECT_EQ(box.Text(), "22:30:00");
}

TEST(MaskedTimeDelete, ClearsASelectionInstead) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(6, 3);
  EXPECT_TRUE(box.Delete());
  EXPECT_EQ(box.Text(), "22:__:00");
  EXPECT_EQ(box.Caret(), 3U);
}

TEST(MaskedTimeClearSelection, ReportsNoChangeWithoutASelectionOrOverPromptsOnly) {
  MaskedTime box;
  EXPECT_FALSE(box.ClearSelection());
  box.SetSelection(0, 8);
  EXPECT_FALSE(box.ClearSelection());
  EXPECT_EQ(box.Text(), "__:__:__");
}

// Pasting

TEST(MaskedTimePaste, FillsTheDigitPlacesFromTheCaretSkippingOtherCharacters) {
  MaskedTime box;
  EXPECT_TRUE(box.Paste("22:30:00"));
  EXPECT_EQ(box.Text(), "22:30:00");
  EXPECT_EQ(box.Caret(), 8U);
}

TEST(MaskedTimePaste, StartsAtTheCaretAndStopsAtTheEnd) {
  MaskedTime box = Holding("22:30:00");
  box.MoveCaret(4);
  EXPECT_TRUE(box.Paste("a1b2c3d4e5"));
  EXPECT_EQ(box.Text(), "22:31:23");
  EXPECT_EQ(box.Caret(), 8U);
}

TEST(MaskedTimePaste, LeavesTheCaretPastAColonAfterTheLastDigit) {
  MaskedTime box;
  EXPECT_TRUE(box.Paste("1 8"));
  EXPECT_EQ(box.Text(), "18:__:__");
  EXPECT_EQ(box.Caret(), 3U);
}

TEST(MaskedTimePaste, ClearsTheSelectionFirst) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(0, 8);
  EXPECT_TRUE(box.Paste("7"));
  EXPECT_EQ(box.Text(), "7_:__:__");
  EXPECT_EQ(box.Caret(), 1U);
}

TEST(MaskedTimePaste, ReportsNoChangeWhenItWritesBackTheSelectedDigits) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(0, 8);
  EXPECT_FALSE(box.Paste("22:30:00"));
  EXPECT_EQ(box.Caret(), 8U);
}

TEST(MaskedTimePaste, ChangesNothingWithoutDigits) {
  MaskedTime box = Holding("22:30:00");
  box.MoveCaret(1);
  EXPECT_FALSE(box.Paste("hola :-)"));
  EXPECT_EQ(box.Text(), "22:30:00");
  EXPECT_EQ(box.Caret(), 1U);
  EXPECT_FALSE(box.Paste(""));
}

// Caret and selection

TEST(MaskedTimeCaret, StaysWithinTheText) {
  MaskedTime box;
  box.MoveCaret(1000);
  EXPECT_EQ(box.Caret(), 8U);
  box.Right();
  EXPECT_EQ(box.Caret(), 8U);
  box.Home();
  box.Left();
  EXPECT_EQ(box.Caret(), 0U);
}

TEST(MaskedTimeCaret, MovesOnePlaceAtATime) {
  MaskedTime box;
  box.Right();
  box.Right();
  EXPECT_EQ(box.Caret(), 2U);
  box.Left();
  EXPECT_EQ(box.Caret(), 1U);
}

TEST(MaskedTimeCaret, CollapsesASelectionToTheSideOfTheArrow) {
  MaskedTime box;
  box.SetSelection(2, 6);
  box.Left();
  EXPECT_EQ(box.Caret(), 2U);
  box.SetSelection(2, 6);
  box.Right();
  EXPECT_EQ(box.Caret(), 6U);
  EXPECT_EQ(box.SelectionStart(), box.SelectionEnd());
}

TEST(MaskedTimeSelection, IsOrderedAndClampedToTheText) {
  MaskedTime box;
  box.SetSelection(99, 4);
  EXPECT_EQ(box.SelectionStart(), 4U);
  EXPECT_EQ(box.SelectionEnd(), 8U);
  EXPECT_EQ(box.Caret(), 4U);
}

TEST(MaskedTimeSelection, IsDroppedByMovingTheCaret) {
  MaskedTime box = Holding("22:30:00");
  box.SetSelection(0, 8);
  box.MoveCaret(3);
  EXPECT_TRUE(box.Backspace());
  EXPECT_EQ(box.Text(), "2_:30:00");
}

}  // namespace
}  // namespace nocturo
