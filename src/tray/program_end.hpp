#pragma once

namespace nocturo {

// The way out that the tray menu's last item takes. Owned here so that tray/
// need not know who ends the program.
class ProgramEnd {
 public:
  ProgramEnd() = default;
  ProgramEnd(const ProgramEnd&) = delete;
  ProgramEnd& operator=(const ProgramEnd&) = delete;
  virtual ~ProgramEnd() = default;

  // TerminarPrograma: saves the position, closes both windows, removes the
  // tray icon and ends the process.
  [[noreturn]] virtual void TerminarPrograma() = 0;
};

}  // namespace nocturo
