#pragma once

#include <QLineEdit>
#include <functional>
#include <string_view>

#include "common/masked_time.hpp"

namespace nocturo::linux_desktop {

// The time box: a line edit whose text only the editing model changes. Keys,
// paste, cut and delete go through the model; the user's edits that change
// the text are reported, the program's writes are not.
class MaskedTimeLineEdit final : public QLineEdit {
 public:
  MaskedTimeLineEdit(QWidget* parent, std::function<void()> onUserEdit);

  // A write by the program.
  void SetModelText(std::string_view text);
  const std::string& ModelText() const { return model_.Text(); }

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
  void ShowModel();
  void UserEdit(const std::function<bool(MaskedTime&)>& edit);

  MaskedTime model_;
  std::function<void()> onUserEdit_;
};

}  // namespace nocturo::linux_desktop
