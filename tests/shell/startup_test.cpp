// Start-up as the program does it: one document, frame and view in that order; the title, the
// menus with their checks and accelerators, the toolbar with its disabled buttons, the prompts
// and the status bar; the Messages commands; New Game on the same document.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "app_fixture.h"
#include "game/command_ids.h"

namespace {

using testsupport::AppFixture;

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* action : actions) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

QMenu* Popup(QWidget* menuOrBar, const QString& text) {
    for (QAction* action : menuOrBar->actions()) {
        if (action->text() == text) {
            return action->menu();
        }
    }
    return nullptr;
}

class Startup : public AppFixture {};

TEST_F(Startup, MakesOneDocumentThenTheFrameThenTheView) {
    std::vector<framework::CreatedObject> made;
    framework::SetCreationObserver(
        [&made](framework::CreatedObject kind, void*) { made.push_back(kind); });
    Start();
    framework::SetCreationObserver({});
    EXPECT_EQ(made, (std::vector<framework::CreatedObject>{framework::CreatedObject::Document,
                                                           framework::CreatedObject::Frame,
                                                           framework::CreatedObject::View}));
    ASSERT_NE(Document(), nullptr);
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->GetDocument(), Document());
    EXPECT_EQ(Document()->GetViews().size(), 1u);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Torvel"));
    EXPECT_EQ(Document()->engine.GetRows(), (std::vector<int32_t>{1, 3, 5, 7}));
    EXPECT_TRUE(View()->humanToMove);
    // Big enough for seven rows above the button.
    EXPECT_GE(View()->height(), 500);
    EXPECT_GE(View()->width(), 540);
}

TEST_F(Startup, TheMenusHoldEveryItemInOrder) {
    Start();
    QMenuBar* bar = frame->menuBar();
    EXPECT_EQ(Texts(bar->actions()), (QStringList{"&File", "Time", "View", "&Help"}));
    EXPECT_EQ(Texts(Popup(bar, "&File")->actions()),
              (QStringList{"&New Game\tCtrl+N", "Options", "-", "E&xit"}));
    EXPECT_EQ(Texts(Popup(bar, "Time")->actions()),
              (QStringList{"Curvature of Time", "Space-Time"}));
    QMenu* view = Popup(bar, "View");
    EXPECT_EQ(Texts(view->actions()), (QStringList{"Messages"}));
    EXPECT_EQ(Texts(Popup(view, "Messages")->actions()), (QStringList{"Show", "Hidden"}));
    EXPECT_EQ(Texts(Popup(bar, "&Help")->actions()),
              (QStringList{"&About Torvel...", "Instructions", "Legal"}));
    EXPECT_TRUE(Action(game::kMessagesShowCommand)->isChecked());
    EXPECT_FALSE(Action(game::kMessagesHiddenCommand)->isChecked());
}

TEST_F(Startup, AcceleratorsIncludeTheEditingKeysThatDoNothing) {
    Start();
    auto keys = [this](framework::CommandId id) {
        QStringList texts;
        for (const QKeySequence& key : Action(id)->shortcuts()) {
            texts << key.toString(QKeySequence::PortableText);
        }
        return texts;
    };
    EXPECT_EQ(keys(framework::kFileNew), (QStringList{"Ctrl+N"}));
    EXPECT_EQ(keys(framework::kFileOpen), (QStringList{"Ctrl+O"}));
    EXPECT_EQ(keys(framework::kFileSave), (QStringList{"Ctrl+S"}));
    EXPECT_EQ(keys(framework::kFilePrint), (QStringList{"Ctrl+P"}));
    EXPECT_EQ(keys(framework::kEditUndo), (QStringList{"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_EQ(keys(framework::kEditCut), (QStringList{"Ctrl+X", "Shift+Del"}));
    EXPECT_EQ(keys(framework::kEditCopy), (QStringList{"Ctrl+C", "Ctrl+Ins"}));
    EXPECT_EQ(keys(framework::kEditPaste), (QStringList{"Ctrl+V", "Shift+Ins"}));
    EXPECT_EQ(keys(framework::kNextPane), (QStringList{"F6"}));
    EXPECT_EQ(keys(framework::kPrevPane), (QStringList{"Shift+F6"}));
    for (framework::CommandId id :
         {framework::kEditUndo, framework::kEditCut, framework::kEditCopy, framework::kEditPaste,
          framework::kNextPane, framework::kPrevPane}) {
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
        EXPECT_FALSE(frame->ExecuteCommand(id)) << id;
    }
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    for (Qt::Key key : {Qt::Key_Z, Qt::Key_X, Qt::Key_C, Qt::Key_V}) {
        QTest::keyClick(frame, key, Qt::ControlModifier);
    }
    EXPECT_EQ(Document()->engine.GetRows(), (std::vector<int32_t>{1, 3, 5, 7}));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Torvel"));
}

TEST_F(Startup, TheToolbarHoldsItsButtonsWithUnhandledOnesDisabled) {
    Start();
    QToolBar* toolBar = frame->wndToolBar;
    ASSERT_NE(toolBar, nullptr);
    QList<QAction*> buttons = toolBar->actions();
    std::vector<framework::CommandId> ids;
    for (QAction* button : buttons) {
        framework::CommandId found = 0;
        for (framework::CommandId id :
             {framework::kFileNew, framework::kFileOpen, framework::kFileSave, framework::kEditCut,
              framework::kEditCopy, framework::kEditPaste, framework::kFilePrint,
              framework::kAppAbout}) {
            if (Action(id) == button) {
                found = id;
            }
        }
        ids.push_back(button->isSeparator() ? 0 : found);
    }
    EXPECT_EQ(ids, (std::vector<framework::CommandId>{57600, 57601, 57603, 0, 57635, 57634, 57637,
                                                      0, 57607, 0, 57664}));
    for (framework::CommandId id :
         {framework::kFileNew, framework::kFileOpen, framework::kFileSave, framework::kFilePrint}) {
        EXPECT_TRUE(Action(id)->isEnabled()) << id;
        EXPECT_FALSE(Action(id)->icon().isNull()) << id;
    }
    for (framework::CommandId id :
         {framework::kEditCut, framework::kEditCopy, framework::kEditPaste}) {
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(toolBar->isMovable());
    EXPECT_EQ(toolBar->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_EQ(toolBar->iconSize(), QSize(16, 15));
    EXPECT_EQ(frame->toolBarArea(toolBar), Qt::TopToolBarArea);
}

TEST_F(Startup, PromptsGoToTheStatusBarAndTooltips) {
    Start();
    EXPECT_EQ(Action(framework::kFileNew)->statusTip(), QStringLiteral("Start a new game"));
    EXPECT_EQ(Action(framework::kFileNew)->toolTip(), QStringLiteral("New Game"));
    EXPECT_EQ(Action(framework::kAppAbout)->statusTip(),
              QStringLiteral("Display program information, version number and copyright"));
    EXPECT_EQ(Action(framework::kAppAbout)->toolTip(), QStringLiteral("About"));
    EXPECT_EQ(Action(framework::kAppExit)->statusTip(),
              QStringLiteral("Quit the application; prompts to save documents"));
    EXPECT_EQ(Action(framework::kAppExit)->toolTip(), QStringLiteral("Exit"));
    for (QAction* action : frame->actions()) {
        EXPECT_FALSE(action->statusTip().isEmpty()) << action->text().toStdString();
        EXPECT_FALSE(action->toolTip().isEmpty()) << action->text().toStdString();
    }
    // A prompt covers the idle text while it shows and uncovers it when it ends.
    framework::StatusBar* status = frame->wndStatusBar;
    Action(framework::kFileNew)->showStatusText(frame);
    EXPECT_EQ(status->currentMessage(), QStringLiteral("Start a new game"));
    status->clearMessage();
    EXPECT_EQ(status->currentMessage(), QString());
}

TEST_F(Startup, TheStatusBarShowsReadyAndTheThreeLockIndicators) {
    Start();
    framework::StatusBar* status = frame->wndStatusBar;
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(frame->statusBar(), status);
    ASSERT_EQ(status->PaneCount(), 4);
    EXPECT_EQ(status->PaneText(0), QStringLiteral("Ready"));
    EXPECT_EQ(status->PaneText(1), QStringLiteral("CAP"));
    EXPECT_EQ(status->PaneText(2), QStringLiteral("NUM"));
    EXPECT_EQ(status->PaneText(3), QStringLiteral("SCRL"));
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        // Nothing tells the lock keys here, so the indicators stay dim.
        EXPECT_FALSE(status->IsPaneLit(1));
        EXPECT_FALSE(status->IsPaneLit(2));
        EXPECT_FALSE(status->IsPaneLit(3));
    }
}

TEST_F(Startup, HiddenThenShowLeaveExactlyOneCheckAndReachTheView) {
    Start();
    ASSERT_TRUE(frame->ExecuteCommand(game::kMessagesHiddenCommand));
    EXPECT_FALSE(Action(game::kMessagesShowCommand)->isChecked());
    EXPECT_TRUE(Action(game::kMessagesHiddenCommand)->isChecked());
    EXPECT_FALSE(View()->showMessages);
    // From the menu, as the user picks it; picking the checked item again keeps it checked.
    Action(game::kMessagesShowCommand)->trigger();
    EXPECT_TRUE(Action(game::kMessagesShowCommand)->isChecked());
    EXPECT_FALSE(Action(game::kMessagesHiddenCommand)->isChecked());
    EXPECT_TRUE(View()->showMessages);
    Action(game::kMessagesShowCommand)->trigger();
    EXPECT_TRUE(Action(game::kMessagesShowCommand)->isChecked());
    EXPECT_FALSE(Action(game::kMessagesHiddenCommand)->isChecked());
}

TEST_F(Startup, CtrlNStartsANewGameInTheSameDocumentWithTheChangedOptions) {
    Start();
    std::vector<framework::CreatedObject> made;
    framework::SetCreationObserver(
        [&made](framework::CreatedObject kind, void*) { made.push_back(kind); });
    game::CTorvelDoc* document = Document();
    document->engine.ApplyMove(engine::Move{3, 7});
    document->rowCountOption = 6;
    View()->messageLine1 = "You lose, you took the last stick.";
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    framework::SetCreationObserver({});
    EXPECT_TRUE(made.empty());
    EXPECT_EQ(Document(), document);
    EXPECT_EQ(document->engine.GetRows(), (std::vector<int32_t>{1, 3, 5, 7, 9, 11}));
    EXPECT_EQ(View()->messageLine1, "");
    EXPECT_EQ(View()->messageLine2, " ");
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Torvel"));
    // The toolbar's first button does the same.
    document->rowCountOption = 3;
    Action(framework::kFileNew)->trigger();
    EXPECT_EQ(document->engine.GetRows(), (std::vector<int32_t>{1, 3, 5}));
}

TEST_F(Startup, ExitClosesTheFrameAndTheDocumentGoesWithIt) {
    Start();
    ASSERT_TRUE(frame->ExecuteCommand(framework::kAppExit));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app->GetMainWnd(), nullptr);
    EXPECT_EQ(app->GetDocTemplate()->GetDocument(), nullptr);
}

}  // namespace
