// The whole program as start-up makes it, on the offscreen platform, in a private working folder:
// every window test drives it as a person would, by commands, keys and mouse events on the real
// board, and sees what every drawing of the board showed.
#pragma once

#include <gtest/gtest.h>

#include <QPainter>
#include <QSettings>
#include <QTest>

#include "framework/doc_template.h"
#include "game/command_ids.h"
#include "shell/main_frame.h"
#include "shell/torvel_app.h"
#include "support/temp_dir.h"
#include "view/torvel_view.h"

namespace testsupport {

class Program : public ::testing::Test, public QObject {
  protected:
    using Rows = std::vector<int32_t>;
    struct Drawing {
        Rows rows;
        std::string line1, line2;
        int32_t sticksTaken;
    };

    void SetUp() override {
        QSettings(QString::fromLatin1(shell::kSettingsKey), QStringLiteral("Torvel")).clear();
        framework::SetCreationObserver(
            [this](framework::CreatedObject kind, void*) { made.push_back(kind); });
        app = std::make_unique<shell::CTorvelApp>();
        ASSERT_TRUE(app->InitInstance({}));
        framework::SetCreationObserver({});
        frame = static_cast<shell::CMainFrame*>(app->GetMainWnd());
        view = static_cast<view::CTorvelView*>(frame->GetActiveView());
        document = view->GetDocument();
        view->installEventFilter(this);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        QTest::mouseMove(view, QPoint(590, 5));  // off the rows and the button
        drawings.clear();
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            drawings.push_back({document->engine.GetRows(), view->turn.messageLine1,
                                view->turn.messageLine2, view->turn.sticksTaken});
        }
        return false;
    }
    bool Run(framework::CommandId id) { return frame->ExecuteCommand(id); }

    QPoint OverRow(int32_t row) const {
        return QPoint(300, 50 * (document->engine.GetRowCount() - row) + 20);
    }
    QPoint OnPlay() const { return QPoint(210, view->height() - 80); }
    void Click(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(view, point);
        QTest::mouseClick(view, button, Qt::NoModifier, point);
    }
    void Take(int32_t row, int32_t number) {
        for (int32_t i = 0; i < number; ++i) {
            Click(OverRow(row));
        }
        Click(OnPlay());
    }
    QImage Render(qreal ratio = 1.0) {
        QImage image(view->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        view->OnDraw(painter);
        return image;
    }

    TempDir dir;
    std::vector<framework::CreatedObject> made;
    std::vector<Drawing> drawings;
    std::unique_ptr<shell::CTorvelApp> app;
    shell::CMainFrame* frame = nullptr;
    view::CTorvelView* view = nullptr;
    game::CTorvelDoc* document = nullptr;
};

}  // namespace testsupport
