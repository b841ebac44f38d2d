#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nocturo {

// The editing model of the time box: the mask "##:##:##" with "_" as the
// prompt. The text is always eight characters; digits go only where the mask
// has "#", the colons never move, typing overwrites, the caret skips the
// colons, and deleting puts the prompt back. Pure logic, so that the Windows
// control and the tests share it.
class MaskedTime {
 public:
  static constexpr std::string_view kMask = "##:##:##";
  static constexpr char kPrompt = '_';
  static constexpr std::size_t kLength = 8;

  MaskedTime();

  const std::string& Text() const { return text_; }
  std::size_t Caret() const { return caret_; }
  std::size_t SelectionStart() const { return selStart_; }
  std::size_t SelectionEnd() const { return selEnd_; }

  // A write by the program: each mask place takes the character at the same
  // position of text when it fits (a digit for "#"), else the prompt. Text
  // longer than the mask is cut. The caret goes to the start.
  void SetText(std::string_view text);

  // Caret and selection, positions 0 to 8; a selection runs from start up to
  // but not including end.
  void SetSelection(std::size_t start, std::size_t end);
  void MoveCaret(std::size_t position);
  void Home() { MoveCaret(0); }
  void End() { MoveCaret(kLength); }
  void Left();
  void Right();

  // Each returns true when the text changed.
  // A typed character: a digit overwrites the next digit place (clearing a
  // selection first); anything else is refused.
  bool Type(char character);
  bool Backspace();
  bool Delete();
  // Pasted text: its digits fill the digit places from the caret on (after
  // clearing a selection); other characters are skipped.
  bool Paste(std::string_view text);
  // Clears the selection to prompts (cut).
  bool ClearSelection();

 private:
  static bool IsDigitPlace(std::size_t position);
  std::size_t NextDigitPlace(std::size_t position) const;

  std::string text_;
  std::size_t caret_ = 0;
  std::size_t selStart_ = 0;
  std::size_t selEnd_ = 0;
};

}  // namespace nocturo
