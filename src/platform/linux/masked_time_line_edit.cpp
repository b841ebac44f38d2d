#include "platform/linux/masked_time_line_edit.hpp"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "platform/linux/qt_text.hpp"

namespace nocturo::linux_desktop {

MaskedTimeLineEdit::MaskedTimeLineEdit(QWidget* parent, MaskedTime& model,
                                       std::function<void()> onUserEdit)
    : QLineEdit(parent), model_(model), onUserEdit_(std::move(onUserEdit)) {
  // Dropped or composed text would bypass the mask.
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  ShowModel();
  // Writes that bypass the key handlers (Qt's accessible text interface,
  // the X11 selection pasted with a middle click) still change the text.
  connect(this, &QLineEdit::textChanged, this, &MaskedTimeLineEdit::OutsideWrite);
}

void MaskedTimeLineEdit::keyPressEvent(QKeyEvent* event) {
  if (HandleShortcut(event) || HandleMovement(event)) {
    event->accept();
    return;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_Backspace:
      // Ctrl+Backspace would delete a word, which the mask has no room for.
      if (!modifiers.testFlag(Qt::ControlModifier)) {
        UserEdit([](MaskedTime& m) { return m.Backspace(); });
      }
      event->accept();
      return;
    case Qt::Key_Delete:
      UserEdit([](MaskedTime& m) { return m.Delete(); });
      event->accept();
      return;
    default:
      break;
  }
  const QString text = event->text();
  if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier) {
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9') {
      const char digit = static_cast<char>(text[0].unicode());
      UserEdit([digit](MaskedTime& m) { return m.Type(digit); });
      event->accept();
      return;
    }
    // Anything else that would insert text breaks the mask: dropped.
    if (!text.isEmpty() && text[0].isPrint()) {
      event->accept();
      return;
    }
  }
  // Focus keys, Enter and shortcuts of the window go on as usual; keys that
  // edit in their own way (undo, word delete) never reach the line edit.
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
      event->matches(QKeySequence::DeleteStartOfWord) ||
      event->matches(QKeySequence::DeleteEndOfWord) ||
      event->matches(QKeySequence::DeleteEndOfLine) ||
      event->matches(QKeySequence::DeleteCompleteLine)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

bool MaskedTimeLineEdit::HandleShortcut(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    Paste();
    return true;
  }
  if (event->matches(QKeySequence::Cut)) {
    Cut();
    return true;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    selectAll();
    return true;
  }
  return false;  // copy is the line edit's own
}

// Plain caret moves follow the model, which steps over the colons as Windows'
// box does; with Shift the line edit extends the selection itself.
bool MaskedTimeLineEdit::HandleMovement(QKeyEvent* event) {
  if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    return false;
  }
  const int key = event->key();
  if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Home && key != Qt::Key_End) {
    return false;
  }
  ReadSelection();
  if (key == Qt::Key_Left) {
    model_.Left();
  } else if (key == Qt::Key_Right) {
    model_.Right();
  } else if (key == Qt::Key_Home) {
    model_.Home();
  } else {
    model_.End();
  }
  setCursorPosition(static_cast<int>(model_.Caret()));
  return true;
}

void MaskedTimeLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(createStandardContextMenu());
  // The standard entries, rewired to the model; undo knows nothing of it.
  for (QAction* action : menu->actions()) {
    const QString name = action->objectName();
    if (name == QStringLiteral("edit-undo") || name == QStringLiteral("edit-redo")) {
      action->setEnabled(false);
    } else if (name == QStringLiteral("edit-cut")) {
      action->disconnect();
      connect(action, &QAction::triggered, this, [this] { Cut(); });
    } else if (name == QStringLiteral("edit-paste")) {
      action->disconnect();
      connect(action, &QAction::triggered, this, [this] { Paste(); });
    } else if (name == QStringLiteral("edit-delete")) {
      action->disconnect();
      connect(action, &QAction::triggered, this,
              [this] { UserEdit([](MaskedTime& m) { return m.ClearSelection(); }); });
    }
  }
  menu->exec(event->globalPos());
}

void MaskedTimeLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
}

void MaskedTimeLineEdit::Paste() {
  const std::string text = ToUtf8(QGuiApplication::clipboard()->text());
  UserEdit([&text](MaskedTime& m) { return m.Paste(text); });
}

void MaskedTimeLineEdit::Cut() {
  copy();
  UserEdit([](MaskedTime& m) { return m.ClearSelection(); });
}

void MaskedTimeLineEdit::ReadSelection() {
  if (hasSelectedText()) {
    model_.SetSelection(static_cast<std::size_t>(selectionStart()),
                        static_cast<std::size_t>(selectionEnd()));
  } else {
    model_.MoveCaret(static_cast<std::size_t>(cursorPosition()));
  }
}

void MaskedTimeLineEdit::ShowModel() {
  showing_ = true;
  setText(ToQString(model_.Text()));
  showing_ = false;
  const auto start = static_cast<int>(model_.SelectionStart());
  const auto end = static_cast<int>(model_.SelectionEnd());
  if (start == end) {
    setCursorPosition(static_cast<int>(model_.Caret()));
  } else {
    setSelection(start, end - start);
  }
}

void MaskedTimeLineEdit::UserEdit(const std::function<bool(MaskedTime&)>& edit) {
  ReadSelection();
  const bool changed = edit(model_);
  ShowModel();
  if (changed && onUserEdit_) {
    onUserEdit_();
  }
}

// The text before the write is the model's; what differs between the two is
// pasted over the part it replaced, so the mask's rules decide what stays.
void MaskedTimeLineEdit::OutsideWrite(const QString& text) {
  const QString before = ToQString(model_.Text());
  if (showing_ || text == before) {
    return;
  }
  const qsizetype shorter = std::min(text.size(), before.size());
  qsizetype prefix = 0;
  while (prefix < shorter && text[prefix] == before[prefix]) {
    ++prefix;
  }
  qsizetype suffix = 0;
  while (suffix < shorter - prefix &&
         text[text.size() - 1 - suffix] == before[before.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string inserted = ToUtf8(text.mid(prefix, text.size() - prefix - suffix));
  const auto start = static_cast<std::size_t>(prefix);
  const auto end = static_cast<std::size_t>(before.size() - suffix);
  if (start == end) {
    model_.MoveCaret(start);
  } else {
    model_.SetSelection(start, end);
  }
  const bool changed = model_.Paste(inserted);
  ShowModel();
  if (changed && onUserEdit_) {
    onUserEdit_();
  }
}

}  // namespace nocturo::linux_desktop
