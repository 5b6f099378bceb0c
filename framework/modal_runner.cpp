#include "framework/modal_runner.h"

#include <QDialog>

#include "framework/quiet_return.h"

namespace framework {

namespace {
ModalRunner& CurrentRunner() {
    static ModalRunner runner;
    return runner;
}
}  // namespace

int RunModal(QDialog& dialog) {
    ModalRunner& runner = CurrentRunner();
    if (runner) {
        return runner(dialog);
    }
    ReturnQuietlyFrom(dialog);
    const int result = dialog.exec();
    // The window the dialog belongs to takes the keys back: a window manager may leave no window
    // active once a dialog has gone (a file dialog's own windows above all).
    QWidget* owner = dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr;
    if (owner != nullptr && owner->isVisible() && !owner->isActiveWindow()) {
        owner->activateWindow();
    }
    return result;
}

ModalRunner SetModalRunner(ModalRunner runner) {
    ModalRunner previous = std::move(CurrentRunner());
    CurrentRunner() = std::move(runner);
    return previous;
}

}  // namespace framework
