#pragma once

#include <QLineEdit>
#include <functional>

#include "common/masked_time.hpp"

namespace nocturo::linux_desktop {

// The time box: a line edit showing an editing model kept elsewhere, whose
// text only that model changes. Keys, paste, cut and delete go through the
// model; so does text that reaches the line edit another way (a screen
// reader's or voice control's write, a middle-click paste), taken as a paste
// over what it replaced. The user's edits that change the text are reported.
class MaskedTimeLineEdit final : public QLineEdit {
 public:
  MaskedTimeLineEdit(QWidget* parent, MaskedTime& model, std::function<void()> onUserEdit);

  // Shows the model's text, caret and selection, after a write by the
  // program.
  void ShowModel();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  bool HandleShortcut(QKeyEvent* event);
  bool HandleMovement(QKeyEvent* event);
  void Paste();
  void Cut();
  void ReadSelection();
  void UserEdit(const std::function<bool(MaskedTime&)>& edit);
  void OutsideWrite(const QString& text);

  MaskedTime& model_;
  std::function<void()> onUserEdit_;
  bool showing_ = false;  // the line edit's text is being set from the model
};

}  // namespace nocturo::linux_desktop
