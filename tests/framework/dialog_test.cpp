// Dialogs from templates: placed in dialog units of their font, radio buttons that keep to
// their groups, click handlers by control number, OK, Cancel and Escape, and a modal runner
// that drives them without an event loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "framework/dialog.h"
#include "framework/modal_runner.h"

namespace {

using framework::ControlKind;
using framework::ControlTemplate;

constexpr int kLone1 = 1001;
constexpr int kLone2 = 1002;
constexpr int kGrouped1 = 1010;
constexpr int kGrouped2 = 1011;
constexpr int kText = 1020;

framework::DialogTemplate ChoicesTemplate() {
    framework::DialogTemplate dialog;
    dialog.id = 131;
    dialog.title = QStringLiteral("Choices");
    dialog.width = 202;
    dialog.height = 141;
    dialog.controls = {
        {framework::kIdOk, ControlKind::DefPushButton, "OK", 144, 7, 50, 14, true, true},
        {framework::kIdCancel, ControlKind::PushButton, "Cancel", 144, 27, 50, 14, true, true},
        {kLone1, ControlKind::AutoRadioButton, "Lone one", 15, 20, 42, 10, true, false},
        {kLone2, ControlKind::AutoRadioButton, "Lone two", 15, 32, 70, 10, true, false},
        // A frame drawn after the buttons it surrounds.
        {framework::kNoControlId, ControlKind::GroupBox, "Frame", 7, 7, 119, 72, false, false},
        {kGrouped1, ControlKind::AutoRadioButton, "Together one", 15, 94, 70, 10, true, false},
        {kGrouped2, ControlKind::AutoRadioButton, "Together two", 15, 106, 70, 10, false, false},
        {kText, ControlKind::StaticText, "Some words that wrap", 15, 120, 60, 16, true, false},
    };
    return dialog;
}

class ChoicesDialog : public framework::Dialog {
  public:
    ChoicesDialog() : framework::Dialog(ChoicesTemplate()) {
        MapCommand(kLone1, [this] { clicks.push_back(kLone1); });
        MapCommand(kLone2, [this] { clicks.push_back(kLone2); });
    }
    void DoDataExchange(framework::DataExchange& exchange) override {
        exchange.Control(kLone1, lone1);
        exchanges.push_back(exchange.saveAndValidate);
    }
    std::vector<int> clicks;
    std::vector<bool> exchanges;
    framework::Button lone1;
};

TEST(Dialog, ControlsStandInDialogUnitsOfTheDialogFont) {
    ChoicesDialog dialog;
    const QSize units = dialog.BaseUnits();
    ASSERT_GT(units.width(), 2);
    ASSERT_GT(units.height(), 5);
    framework::ScopedModalRunner runner([&](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Choices"));
        EXPECT_EQ(window.width(), (202 * units.width() + 2) / 4);
        EXPECT_EQ(window.height(), (141 * units.height() + 4) / 8);
        QWidget* ok = dialog.GetDlgItem(framework::kIdOk);
        EXPECT_EQ(ok->geometry(),
                  QRect((144 * units.width() + 2) / 4, (7 * units.height() + 4) / 8,
                        (50 * units.width() + 2) / 4, (14 * units.height() + 4) / 8));
        EXPECT_TRUE(static_cast<QPushButton*>(ok)->isDefault());
        EXPECT_FALSE(
            static_cast<QPushButton*>(dialog.GetDlgItem(framework::kIdCancel))->isDefault());
        EXPECT_TRUE(static_cast<QLabel*>(dialog.GetDlgItem(kText))->wordWrap());
        return framework::kIdCancel;
    });
    EXPECT_EQ(dialog.DoModal(), framework::kIdCancel);
}

TEST(Dialog, RadioButtonsInGroupsOfTheirOwnNeverUncheckEachOther) {
    ChoicesDialog dialog;
    // No window, no clicks.
    EXPECT_FALSE(dialog.ClickDlgButton(kLone1));
    EXPECT_EQ(dialog.IsDlgButtonChecked(kLone1), 0);
    framework::ScopedModalRunner runner([&](QDialog&) {
        // Missing controls and static text refuse clicks.
        EXPECT_FALSE(dialog.ClickDlgButton(4242));
        EXPECT_FALSE(dialog.ClickDlgButton(kText));
        EXPECT_EQ(dialog.IsDlgButtonChecked(kLone1), 0);
        EXPECT_TRUE(dialog.ClickDlgButton(kLone1));
        EXPECT_TRUE(dialog.ClickDlgButton(kLone2));
        EXPECT_EQ(dialog.IsDlgButtonChecked(kLone1), 1);
        EXPECT_EQ(dialog.IsDlgButtonChecked(kLone2), 1);
        // A second click leaves an automatic radio button checked.
        EXPECT_TRUE(dialog.ClickDlgButton(kLone2));
        EXPECT_EQ(dialog.IsDlgButtonChecked(kLone2), 1);
        // Buttons of one group exclude each other.
        dialog.ClickDlgButton(kGrouped1);
        dialog.ClickDlgButton(kGrouped2);
        EXPECT_EQ(dialog.IsDlgButtonChecked(kGrouped1), 0);
        EXPECT_EQ(dialog.IsDlgButtonChecked(kGrouped2), 1);
        // The program may set any state.
        dialog.CheckDlgButton(kLone1, 0);
        EXPECT_EQ(dialog.IsDlgButtonChecked(kLone1), 0);
        return framework::kIdCancel;
    });
    dialog.DoModal();
    EXPECT_EQ(dialog.clicks, (std::vector<int>{kLone1, kLone2, kLone2}));
}

TEST(Dialog, AGroupBoxDoesNotTakeTheClicksOfTheButtonsItSurrounds) {
    ChoicesDialog dialog;
    framework::ScopedModalRunner runner([&](QDialog& window) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QWidget* lone = dialog.GetDlgItem(kLone1);
        const QPoint centre = lone->geometry().center();
        EXPECT_EQ(window.childAt(centre), lone);
        QTest::mouseClick(lone, Qt::LeftButton, Qt::NoModifier, lone->rect().center());
        EXPECT_EQ(dialog.IsDlgButtonChecked(kLone1), 1);
        return framework::kIdCancel;
    });
    dialog.DoModal();
    EXPECT_EQ(dialog.clicks, (std::vector<int>{kLone1}));
}

TEST(Dialog, OkExchangesDataAndEveryOpeningBuildsAFreshWindow) {
    ChoicesDialog dialog;
    {
        framework::ScopedModalRunner runner([&](QDialog& window) {
            dialog.ClickDlgButton(kLone1);
            EXPECT_TRUE(dialog.lone1.IsAttached());
            dialog.ClickDlgButton(framework::kIdOk);
            EXPECT_FALSE(window.isVisible());
            return window.result();
        });
        EXPECT_EQ(dialog.DoModal(), framework::kIdOk);
    }
    // Into the controls when the dialog opened, out of them at OK.
    EXPECT_EQ(dialog.exchanges, (std::vector<bool>{false, true}));
    EXPECT_FALSE(dialog.lone1.IsAttached());
    EXPECT_EQ(dialog.GetWindow(), nullptr);
    {
        framework::ScopedModalRunner runner([&](QDialog& window) {
            EXPECT_EQ(framework::Dialog::FromWindow(window), &dialog);
            EXPECT_EQ(dialog.IsDlgButtonChecked(kLone1), 0);
            window.reject();  // Escape and the close box
            return window.result();
        });
        EXPECT_EQ(dialog.DoModal(), framework::kIdCancel);
    }
}


TEST(Dialog, AnInformationDialogShowsTextAndIconAndEnterPressesOk) {
    QPixmap square(32, 32);
    square.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(square));
    framework::DialogTemplate about;
    about.id = 100;
    about.title = QStringLiteral("About Tester");
    about.width = 235;
    about.height = 78;
    about.controls = {
        {framework::kNoControlId, ControlKind::Icon, {}, 11, 17, 20, 20, false, false},
        {framework::kNoControlId, ControlKind::StaticText, "Tester Version 1.0", 40, 10, 119, 8,
         false, false},
        {framework::kIdOk, ControlKind::DefPushButton, "OK", 178, 7, 50, 14, true, true},
    };
    framework::Dialog dialog(about);
    framework::ScopedModalRunner runner([&](QDialog& window) {
        auto labels = window.findChildren<QLabel*>();
        EXPECT_EQ(labels.size(), 2);
        bool iconShown = false;
        bool textShown = false;
        for (QLabel* label : labels) {
            iconShown = iconShown || !label->pixmap().isNull();
            textShown = textShown || label->text() == QStringLiteral("Tester Version 1.0");
        }
        EXPECT_TRUE(iconShown);
        EXPECT_TRUE(textShown);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_Return);
        return window.result();
    });
    EXPECT_EQ(dialog.DoModal(), framework::kIdOk);
    QApplication::setWindowIcon(QIcon());
}

}  // namespace
