// Torvel started as main() starts it, in a private working directory, with the window on the
// offscreen platform.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <memory>

#include "framework/doc_template.h"
#include "framework/frame_wnd.h"
#include "game/torvel_doc.h"
#include "shell/main_frame.h"
#include "shell/torvel_app.h"
#include "support/temp_dir.h"
#include "view/torvel_view.h"

namespace testsupport {

class AppFixture : public ::testing::Test {
  protected:
    void Start(const framework::CommandLineInfo& commandLine = {}) {
        // Each test starts with no recent files; the settings folder is the test program's own.
        QSettings(QString::fromLatin1(shell::kSettingsKey), QStringLiteral("Torvel")).clear();
        app = std::make_unique<shell::CTorvelApp>();
        ASSERT_TRUE(app->InitInstance(commandLine));
        frame = static_cast<shell::CMainFrame*>(app->GetMainWnd());
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override { app.reset(); }

    game::CTorvelDoc* Document() const {
        return static_cast<game::CTorvelDoc*>(app->GetDocTemplate()->GetDocument());
    }
    view::CTorvelView* View() const {
        return static_cast<view::CTorvelView*>(frame->GetActiveView());
    }
    QAction* Action(framework::CommandId id) const { return frame->GetAction(id); }

    TempDir workDir;
    std::unique_ptr<shell::CTorvelApp> app;
    shell::CMainFrame* frame = nullptr;
};

}  // namespace testsupport
