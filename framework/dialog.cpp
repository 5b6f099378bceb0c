#include "framework/dialog.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "framework/application.h"
#include "framework/dialog_fit.h"
#include "framework/frame_wnd.h"
#include "framework/modal_runner.h"
#include "framework/translation.h"

namespace framework {

namespace {

// The window of a Dialog: hands Escape and the close box to the dialog's Cancel.
class DialogWindow : public QDialog {
  public:
    DialogWindow(Dialog& dialog, QWidget* parentWidget) : QDialog(parentWidget), owner(dialog) {}
    Dialog& Owner() const { return owner; }
    void reject() override { owner.OnCmdMsg(kIdCancel, kBnClicked, nullptr, nullptr); }

  private:
    Dialog& owner;
};

// A radio button of a dialog as screen readers see it: its words, its check and its click, but not
// its box as its label. The box stays its parent, so a reader names the box once, on entering it;
// as a label it would name it again at every arrow.
class RadioButtonAccessible : public QAccessibleWidget {
  public:
    explicit RadioButtonAccessible(QRadioButton* radio)
        : QAccessibleWidget(radio, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Radio()->text().remove(QLatin1Char('&'))
                                      : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = Radio()->isChecked();
        return state;
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        return QAccessibleWidget::relations(match & ~QAccessible::Label);
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << toggleAction();
    }
    void doAction(const QString& action) override {
        action == toggleAction() ? Radio()->click() : QAccessibleWidget::doAction(action);
    }

  private:
    QRadioButton* Radio() const { return static_cast<QRadioButton*>(widget()); }
};

QAccessibleInterface* RadioButtonFactory(const QString&, QObject* object) {
    auto* radio = qobject_cast<QRadioButton*>(object);
    return radio != nullptr && dynamic_cast<DialogWindow*>(radio->window()) != nullptr
               ? new RadioButtonAccessible(radio)
               : nullptr;
}

// Rounds a * b / c to the nearest whole number, as dialog-unit conversion does.
int MulDiv(int a, int b, int c) {
    return (a * b + c / 2) / c;
}

}  // namespace

void Button::SetCheck(int check) {
    if (control != nullptr) {
        control->setChecked(check != 0);
    }
}

int Button::GetCheck() const {
    return control != nullptr && control->isChecked() ? 1 : 0;
}

void DataExchange::Control(int id, Button& button) {
    auto* control = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id));
    button.control = control;
    if (control != nullptr) {
        dialog.boundButtons.push_back(&button);
    }
}

Dialog::Dialog(DialogTemplate templateToUse, QWidget* parentWidget)
    : dialogTemplate(std::move(templateToUse)), parent(parentWidget) {
    MapCommand(kIdOk, [this] { OnOK(); });
    MapCommand(kIdCancel, [this] { OnCancel(); });
}

Dialog::~Dialog() {
    DestroyWindow();
}

int Dialog::DoModal() {
    CreateWindowFromTemplate();
    OnInitDialog();
    const int result = window != nullptr ? RunModal(*window) : kIdCancel;
    DestroyWindow();
    return result;
}

void Dialog::EndDialog(int result) {
    if (window != nullptr) {
        window->done(result);
    }
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(kIdOk);
    }
}

void Dialog::OnCancel() {
    EndDialog(kIdCancel);
}

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::UpdateData(bool saveAndValidate) {
    if (window == nullptr) {
        return false;
    }
    DataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return true;
}

QWidget* Dialog::GetDlgItem(int id) const {
    auto found = controlsById.find(id);
    return found == controlsById.end() ? nullptr : found->second;
}

void Dialog::CheckDlgButton(int id, int check) {
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id))) {
        button->setChecked(check != 0);
    }
}

int Dialog::IsDlgButtonChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    return button != nullptr && button->isChecked() ? 1 : 0;
}

bool Dialog::ClickDlgButton(int id) {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    if (button == nullptr || !button->isEnabled()) {
        return false;
    }
    button->click();
    return true;
}

Dialog* Dialog::FromWindow(const QDialog& dialogWindow) {
    auto* ours = dynamic_cast<const DialogWindow*>(&dialogWindow);
    return ours != nullptr ? &ours->Owner() : nullptr;
}

QFont Dialog::DialogFont() const {
    QFont font(dialogTemplate.fontFamily, dialogTemplate.fontPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QSize Dialog::BaseUnits() const {
    const QFontMetrics metrics(DialogFont());
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((alphabet / 26 + 1) / 2, metrics.height());
}

namespace {

QWidget* MakePushButton(const ControlTemplate& item, QWidget* parentWidget) {
    auto* push = new QPushButton(QTranslated(item.text), parentWidget);
    push->setDefault(item.kind == ControlKind::DefPushButton);
    return push;
}

QWidget* MakeRadioButton(const ControlTemplate& item, QWidget* parentWidget) {
    // The radio buttons of one box (or of the dialog) uncheck one another, as a person expects;
    // the dialog's click handlers set every state all the same.
    auto* radio = new QRadioButton(QTranslated(item.text), parentWidget);
    radio->setAutoExclusive(true);
    return radio;
}

QWidget* MakeGroupBox(const ControlTemplate& item, QWidget* parentWidget) {
    return new QGroupBox(QTranslated(item.text), parentWidget);
}

QWidget* MakeStaticText(const ControlTemplate& item, QWidget* parentWidget) {
    auto* label = new QLabel(QTranslated(item.text), parentWidget);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* MakeIcon(const ControlTemplate& item, QWidget* parentWidget) {
    auto* label = new QLabel(parentWidget);
    const QIcon icon = item.text.isEmpty()
                           ? QApplication::windowIcon()
                           : QIcon::fromTheme(item.text, QApplication::windowIcon());
    const int side = parentWidget->style()->pixelMetric(QStyle::PM_LargeIconSize);
    label->setPixmap(icon.pixmap(side, side));
    return label;
}

QWidget* MakeControl(const ControlTemplate& item, QWidget* parentWidget) {
    switch (item.kind) {
        case ControlKind::DefPushButton:
        case ControlKind::PushButton:
            return MakePushButton(item, parentWidget);
        case ControlKind::AutoRadioButton:
            return MakeRadioButton(item, parentWidget);
        case ControlKind::GroupBox:
            return MakeGroupBox(item, parentWidget);
        case ControlKind::StaticText:
            return MakeStaticText(item, parentWidget);
        case ControlKind::Icon:
            return MakeIcon(item, parentWidget);
    }
    return MakeStaticText(item, parentWidget);
}

}  // namespace

void Dialog::CreateWindowFromTemplate() {
    static const bool radiosAccessible = [] {
        QAccessible::installFactory(RadioButtonFactory);
        return true;
    }();
    (void)radiosAccessible;
    DestroyWindow();
    // A dialog built with no parent belongs to the main window: it opens centred on it, stays
    // above it and is never minimised on its own.
    QWidget* owner = parent;
    if (owner == nullptr && GetApp() != nullptr) {
        owner = GetApp()->GetMainWnd();
    }
    window = new DialogWindow(*this, owner);
    window->setWindowTitle(QTranslated(dialogTemplate.title));
    window->setFont(DialogFont());
    const QSize units = BaseUnits();
    auto toPixels = [&units](int x, int y, int w, int h) {
        return QRect(MulDiv(x, units.width(), 4), MulDiv(y, units.height(), 8),
                     MulDiv(w, units.width(), 4), MulDiv(h, units.height(), 8));
    };

    // Group boxes first, so that every control drawn inside one is made inside it: a screen
    // reader then reads a box's radio buttons as its own, and the arrow keys move among them.
    std::vector<PlacedControl> placed;
    std::vector<QRect> boxUnits;
    for (const ControlTemplate& item : dialogTemplate.controls) {
        if (item.kind == ControlKind::GroupBox) {
            placed.push_back({MakeControl(item, window),
                              toPixels(item.x, item.y, item.width, item.height), -1,
                              QTranslated(item.text) != item.text});
            boxUnits.emplace_back(item.x, item.y, item.width, item.height);
        }
    }
    QWidget* previousTabStop = nullptr;
    for (const ControlTemplate& item : dialogTemplate.controls) {
        if (item.kind == ControlKind::GroupBox) {
            continue;
        }
        int holder = -1;
        for (size_t box = 0; box < boxUnits.size(); ++box) {
            if (boxUnits[box].contains(QRect(item.x, item.y, item.width, item.height))) {
                holder = static_cast<int>(box);
            }
        }
        QWidget* control = MakeControl(
            item, holder < 0 ? window.data() : placed[static_cast<size_t>(holder)].control);
        placed.push_back({control, toPixels(item.x, item.y, item.width, item.height), holder,
                          item.kind != ControlKind::Icon && QTranslated(item.text) != item.text});
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            // A radio button is always reached: Tab stops at one of its box, arrows move on.
            const bool reached = item.tabStop || item.kind == ControlKind::AutoRadioButton;
            control->setFocusPolicy(reached ? Qt::StrongFocus : Qt::ClickFocus);
            QObject::connect(button, &QAbstractButton::clicked, window,
                             [this, button, kind = item.kind, id = item.id] {
                                 OnControlClicked(kind, id, *button);
                             });
        }
        if (item.tabStop) {
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            }
            previousTabStop = control;
        }
        if (item.id != kNoControlId) {
            controlsById[item.id] = control;
        }
    }
    // A translation longer than the English makes room for itself.
    window->setFixedSize(
        FitTexts(placed, toPixels(0, 0, dialogTemplate.width, dialogTemplate.height).size()));
    for (const PlacedControl& control : placed) {
        const QPoint origin = control.holder < 0
                                  ? QPoint()
                                  : placed[static_cast<size_t>(control.holder)].area.topLeft();
        control.control->setGeometry(control.area.translated(-origin));
    }
}

void Dialog::OnControlClicked(ControlKind kind, int id, QAbstractButton& button) {
    if (kind == ControlKind::AutoRadioButton) {
        // Qt toggled it; a click on a radio button always leaves it checked.
        button.setChecked(true);
    }
    if (id != kNoControlId) {
        OnCmdMsg(static_cast<CommandId>(id), kBnClicked, nullptr, nullptr);
    }
}

void Dialog::DestroyWindow() {
    for (Button* button : boundButtons) {
        button->control = nullptr;
    }
    boundButtons.clear();
    controlsById.clear();
    delete window.data();
}

}  // namespace framework
