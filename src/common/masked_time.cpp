#include "common/masked_time.hpp"

#include <algorithm>

namespace nocturo {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

MaskedTime::MaskedTime() {
  SetText("");
}

bool MaskedTime::IsDigitPlace(std::size_t position) {
  return position < kLength && kMask[position] == '#';
}

// The first digit place at or after position; kLength when there is none.
std::size_t MaskedTime::NextDigitPlace(std::size_t position) const {
  while (position < kLength && !IsDigitPlace(position)) {
    ++position;
  }
  return std::min(position, kLength);
}

void MaskedTime::SetText(std::string_view text) {
  text_.assign(kMask);
  for (std::size_t i = 0; i < kLength; ++i) {
    if (IsDigitPlace(i)) {
      text_[i] = i < text.size() && IsDigit(text[i]) ? text[i] : kPrompt;
    }
  }
  MoveCaret(0);
}

void MaskedTime::SetSelection(std::size_t start, std::size_t end) {
  start = std::min(start, kLength);
  end = std::min(end, kLength);
  // The caret sits where the selection was dragged to, as in an edit control.
  caret_ = end;
  selStart_ = std::min(start, end);
  selEnd_ = std::max(start, end);
}

void MaskedTime::MoveCaret(std::size_t position) {
  caret_ = std::min(position, kLength);
  selStart_ = caret_;
  selEnd_ = caret_;
}

void MaskedTime::Left() {
  if (selStart_ != selEnd_) {
    MoveCaret(selStart_);
  } else if (caret_ > 0) {
    MoveCaret(caret_ - 1);
  }
}

void MaskedTime::Right() {
  if (selStart_ != selEnd_) {
    MoveCaret(selEnd_);
  } else {
    MoveCaret(caret_ + 1);
  }
}

bool MaskedTime::Type(char character) {
  if (!IsDigit(character)) {
    return false;
  }
  // Compared as a whole: clearing a selection and typing the digit it held
  // leaves the text as it was.
  const std::string before = text_;
  ClearSelection();
  const std::size_t place = NextDigitPlace(caret_);
  if (place < kLength) {
    text_[place] = character;
    // Past the digit, and past a colon after it, so the next digit lands right.
    std::size_t next = place + 1;
    if (next < kLength && !IsDigitPlace(next)) {
      ++next;
    }
    MoveCaret(next);
  }
  return text_ != before;
}

bool MaskedTime::Backspace() {
  if (selStart_ != selEnd_) {
    return ClearSelection();
  }
  std::size_t place = caret_;
  while (place > 0 && !IsDigitPlace(place - 1)) {
    --place;
  }
  if (place == 0) {
    return false;
  }
  --place;
  const bool changed = text_[place] != kPrompt;
  text_[place] = kPrompt;
  MoveCaret(place);
  return changed;
}

bool MaskedTime::Delete() {
  if (selStart_ != selEnd_) {
    return ClearSelection();
  }
  const std::size_t place = NextDigitPlace(caret_);
  if (place >= kLength) {
    return false;
  }
  const bool changed = text_[place] != kPrompt;
  text_[place] = kPrompt;
  return changed;
}

bool MaskedTime::Paste(std::string_view text) {
  const std::string before = text_;
  ClearSelection();
  std::size_t position = caret_;
  bool placed = false;
  for (const char c : text) {
    if (!IsDigit(c)) {
      continue;
    }
    const std::size_t place = NextDigitPlace(position);
    if (place >= kLength) {
      break;
    }
    text_[place] = c;
    position = place + 1;
    placed = true;
  }
  // After the last digit placed, past a colon that follows it.
  if (placed && position < kLength && !IsDigitPlace(position)) {
    ++position;
  }
  MoveCaret(position);
  return text_ != before;
}

bool MaskedTime::ClearSelection() {
  if (selStart_ == selEnd_) {
    return false;
  }
  bool changed = false;
  for (std::size_t i = selStart_; i < selEnd_ && i < kLength; ++i) {
    if (IsDigitPlace(i) && text_[i] != kPrompt) {
      text_[i] = kPrompt;
      changed = true;
    }
  }
  MoveCaret(selStart_);
  return changed;
}

}  // namespace nocturo
