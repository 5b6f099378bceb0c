// Commands travel view, document, frame, application; nobody's commands show disabled; hints
// reach every view but the sender. (The template's creation order and closing are tested on
// the real program in tests/shell.)
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "test_app.h"

namespace {

using namespace testapp;

class CommandRouting : public ::testing::Test {
  protected:
    void SetUp() override {
        Log().clear();
        ASSERT_TRUE(app.InitInstance(framework::CommandLineInfo{}));
        frame = app.GetMainWnd();
        ASSERT_NE(frame, nullptr);
    }
    TestApp app;
    framework::FrameWnd* frame = nullptr;
};

TEST_F(CommandRouting, EachCommandReachesTheFirstTargetThatHandlesIt) {
    for (framework::CommandId id : {kViewOnly, kDocumentOnly, kFrameOnly, kAppOnly, kViewAndApp}) {
        EXPECT_TRUE(frame->ExecuteCommand(id)) << id;
    }
    EXPECT_EQ(Log(), (std::vector<std::string>{"view", "document", "frame", "app", "view"}));
}

TEST_F(CommandRouting, UnhandledCommandsAreDisabledAndIgnored) {
    frame->UpdateCmdUI();
    EXPECT_FALSE(frame->GetAction(kNobody)->isEnabled());
    EXPECT_TRUE(frame->GetAction(kViewOnly)->isEnabled());
    EXPECT_TRUE(frame->GetAction(kAppOnly)->isEnabled());
    EXPECT_FALSE(frame->ExecuteCommand(kNobody));
    // A handler whose update answer disables it does not run either.
    EXPECT_FALSE(frame->GetAction(kHandledButDisabled)->isEnabled());
    EXPECT_FALSE(frame->ExecuteCommand(kHandledButDisabled));
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(frame->GetAction(kChecked)->isChecked());
}

TEST_F(CommandRouting, AskingForAHandlerRunsNothing) {
    framework::HandlerInfo info;
    EXPECT_TRUE(frame->OnCmdMsg(kDocumentOnly, framework::kCnCommand, nullptr, &info));
    EXPECT_EQ(info.target, frame->GetActiveDocument());
    EXPECT_FALSE(frame->HasCommandHandler(kNobody));
    EXPECT_TRUE(Log().empty());
}

TEST_F(CommandRouting, TriggeringTheActionAndItsAcceleratorRouteTheCommand) {
    frame->GetAction(kViewOnly)->trigger();
    EXPECT_EQ(Log(), (std::vector<std::string>{"view"}));
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    framework::Document* before = frame->GetActiveDocument();
    const size_t updates = app.View()->updates.size();
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    // Ctrl+N reached the application's new-document handler, which kept the document and
    // sent the view its initial update with hint 0.
    ASSERT_EQ(app.View()->updates.size(), updates + 1);
    EXPECT_EQ(app.View()->updates.back().hint, 0);
    EXPECT_EQ(frame->GetActiveDocument(), before);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Tester"));
}

TEST_F(CommandRouting, UpdateAllViewsSkipsTheSender) {
    TestView* view = app.View();
    view->updates.clear();
    frame->GetActiveDocument()->UpdateAllViews(view, 7);
    EXPECT_TRUE(view->updates.empty());
    frame->GetActiveDocument()->UpdateAllViews(nullptr, 9);
    ASSERT_EQ(view->updates.size(), 1u);
    EXPECT_EQ(view->updates[0].sender, nullptr);
    EXPECT_EQ(view->updates[0].hint, 9);
}

}  // namespace
