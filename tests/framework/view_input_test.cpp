// The view turns Qt's mouse events into its six handlers with client coordinates, and a redraw
// now draws before it returns.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "test_app.h"

namespace {

using namespace testapp;

class ViewInput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitInstance(framework::CommandLineInfo{}));
        app.GetMainWnd()->resize(400, 300);
        app.GetMainWnd()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app.GetMainWnd()));
        view = app.View();
        view->mouse.clear();
    }
    void SendDoubleClick(Qt::MouseButton button, QPoint point) {
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(point),
                          view->mapToGlobal(QPointF(point)), button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
    }
    TestApp app;
    TestView* view = nullptr;
};

TEST_F(ViewInput, ButtonsReachTheirHandlersWithClientCoordinates) {
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(31, 41));
    QTest::mousePress(view, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseRelease(view, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
    SendDoubleClick(Qt::LeftButton, QPoint(7, 8));
    SendDoubleClick(Qt::RightButton, QPoint(9, 10));
    QTest::mouseMove(view, QPoint(50, 60));

    std::vector<std::string> handlers;
    for (const auto& message : view->mouse) {
        handlers.push_back(message.handler);
    }
    // The right button's release has no handler of its own.
    ASSERT_EQ(handlers,
              (std::vector<std::string>{"LDown", "LUp", "RDown", "LDbl", "RDbl", "Move"}));
    EXPECT_EQ(view->mouse[0].point, QPoint(30, 40));
    EXPECT_EQ(view->mouse[0].flags, framework::kMkLButton);
    EXPECT_EQ(view->mouse[1].point, QPoint(31, 41));
    EXPECT_EQ(view->mouse[2].point, QPoint(5, 6));
    EXPECT_EQ(view->mouse[2].flags, framework::kMkRButton | framework::kMkShift);
    EXPECT_EQ(view->mouse[3].point, QPoint(7, 8));
    EXPECT_EQ(view->mouse[4].point, QPoint(9, 10));
    EXPECT_EQ(view->mouse[5].point, QPoint(50, 60));
    EXPECT_EQ(view->mouse[5].flags, 0u);
    // A redraw draws before it returns.
    const int before = view->draws;
    view->RedrawNow();
    EXPECT_EQ(view->draws, before + 1);
}

}  // namespace
