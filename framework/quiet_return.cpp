#include "framework/quiet_return.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace framework {

namespace {

// Installed after the accessibility bridge's filter, so it sees an event first. The bridge tells
// only of spontaneous activations, so the window gets the same event sent by the program instead.
class QuietActivation : public QObject {
  public:
    QuietActivation(QDialog& closing, QWidget* owner) : dialog(&closing), window(owner) {
        QCoreApplication::instance()->installEventFilter(this);
        const auto expire = [this] { QTimer::singleShot(1000, this, &QObject::deleteLater); };
        connect(&closing, &QDialog::finished, this, expire);
        connect(&closing, &QObject::destroyed, this, expire);
    }

    bool eventFilter(QObject* target, QEvent* event) override {
        if (target != window || event->type() != QEvent::WindowActivate || !event->spontaneous() ||
            (dialog != nullptr && dialog->isVisible())) {
            return false;
        }
        QCoreApplication::instance()->removeEventFilter(this);  // once only
        deleteLater();
        QEvent quiet(QEvent::WindowActivate);
        QCoreApplication::sendEvent(target, &quiet);
        return true;
    }

  private:
    QPointer<QDialog> dialog;
    QPointer<QWidget> window;
};

}  // namespace

void ReturnQuietlyFrom(QDialog& dialog) {
    if (dialog.parentWidget() != nullptr && QCoreApplication::instance() != nullptr) {
        new QuietActivation(dialog, dialog.parentWidget()->window());
    }
}

}  // namespace framework
