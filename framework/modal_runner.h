// Every modal dialog of the program (our own dialogs, message boxes, file and print dialogs)
// runs through one runner. The program's runner is `QDialog::exec`, after which the window the
// dialog belongs to is the active one again, with its keys and focus; a test installs its own,
// which receives the built dialog, drives it by its control numbers or widgets and returns the
// result, with no event loop and no timers.
#pragma once

#include <functional>

class QDialog;

namespace framework {

using ModalRunner = std::function<int(QDialog&)>;

// Runs the dialog modally through the current runner and gives its result.
int RunModal(QDialog& dialog);

// Replaces the runner; an empty one restores `exec`. Gives back the previous runner.
ModalRunner SetModalRunner(ModalRunner runner);

// Installs a runner for one scope.
class ScopedModalRunner {
  public:
    explicit ScopedModalRunner(ModalRunner runner) : previous(SetModalRunner(std::move(runner))) {}
    ~ScopedModalRunner() { SetModalRunner(std::move(previous)); }
    ScopedModalRunner(const ScopedModalRunner&) = delete;
    ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

  private:
    ModalRunner previous;
};

}  // namespace framework
