// Random editing sessions on the time box: every operation keeps the mask
// intact and reports a change exactly when the text changed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/masked_time.hpp"
#include "fuzz_support.hpp"

using nocturo::MaskedTime;
using nocturo::fuzz::Require;

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void CheckInvariants(const MaskedTime& box) {
  const std::string& text = box.Text();
  Require(text.size() == MaskedTime::kLength, "the text keeps its eight characters");
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (MaskedTime::kMask[i] == '#') {
      Require(IsDigit(text[i]) || text[i] == MaskedTime::kPrompt,
              "a digit place holds a digit or _");
    } else {
      Require(text[i] == MaskedTime::kMask[i], "the colons never move");
    }
  }
  Require(box.Caret() <= MaskedTime::kLength, "the caret stays within the text");
  Require(box.SelectionStart() <= box.SelectionEnd(), "the selection is ordered");
  Require(box.SelectionEnd() <= MaskedTime::kLength, "the selection stays within the text");
}

// A position mostly in range, sometimes far beyond it.
std::size_t Position(std::uint8_t byte) {
  return byte < 0xF0 ? byte % (MaskedTime::kLength + 1) : std::size_t{byte} << 24U;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nocturo::fuzz::ByteReader input(data, size);
  MaskedTime box;
  CheckInvariants(box);
  while (!input.Empty()) {
    const std::string before = box.Text();
    const std::size_t caretBefore = box.Caret();
    const std::size_t selStartBefore = box.SelectionStart();
    const std::size_t selEndBefore = box.SelectionEnd();
    bool reported = false;
    bool reports = true;     // the operation tells whether the text changed
    bool movesOnly = false;  // the operation moves the caret or selection only
    switch (input.Byte() % 12) {
      case 0: {
        const auto key = static_cast<char>(input.Byte());
        reported = box.Type(key);
        if (!IsDigit(key)) {
          Require(box.Caret() == caretBefore && box.SelectionStart() == selStartBefore &&
                      box.SelectionEnd() == selEndBefore,
                  "a refused key moves nothing");
        }
        break;
      }
      case 1:
        reported = box.Backspace();
        break;
      case 2:
        reported = box.Delete();
        break;
      case 3:
        reported = box.Paste(input.Text(input.Byte() % 16));
        break;
      case 4:
        reported = box.ClearSelection();
        break;
      case 5: {
        const std::size_t start = Position(input.Byte());
        box.SetSelection(start, Position(input.Byte()));
        reports = false;
        movesOnly = true;
        break;
      }
      case 6:
        box.MoveCaret(Position(input.Byte()));
        reports = false;
        movesOnly = true;
        break;
      case 7:
        box.Home();
        reports = false;
        movesOnly = true;
        break;
      case 8:
        box.End();
        reports = false;
        movesOnly = true;
        break;
      case 9:
        box.Left();
        reports = false;
        movesOnly = true;
        break;
      case 10:
        box.Right();
        reports = false;
        movesOnly = true;
        break;
      default:
        box.SetText(input.Text(input.Byte() % 12));
        Require(box.Caret() == 0, "a program write puts the caret at the start");
        reports = false;
        break;
    }
    CheckInvariants(box);
    if (reports) {
      Require(reported == (box.Text() != before), "a change is reported exactly when it happens");
    }
    if (movesOnly) {
      Require(box.Text() == before, "moving the caret leaves the text alone");
    }
  }
  return 0;
}
