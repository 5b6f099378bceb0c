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
    return dialog.exec();
}

ModalRunner SetModalRunner(ModalRunner runner) {
    ModalRunner previous = std::move(CurrentRunner());
    CurrentRunner() = std::move(runner);
    return previous;
}

}  // namespace framework
