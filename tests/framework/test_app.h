// A small program on the framework for its tests: a document, a view, a frame and an
// application whose handlers write into one log, so a test sees which target took a command.
#pragma once

#include <QPainter>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/cmd_ui.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/frame_wnd.h"
#include "framework/view.h"

namespace testapp {

// Commands and who handles them.
inline constexpr framework::CommandId kViewOnly = 100;
inline constexpr framework::CommandId kDocumentOnly = 101;
inline constexpr framework::CommandId kFrameOnly = 102;
inline constexpr framework::CommandId kAppOnly = 103;
inline constexpr framework::CommandId kViewAndApp = 104;
inline constexpr framework::CommandId kNobody = 105;
inline constexpr framework::CommandId kHandledButDisabled = 106;
inline constexpr framework::CommandId kChecked = 107;

inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

class TestDocument : public framework::Document {
  public:
    TestDocument() {
        MapCommand(kDocumentOnly, [] { Log().push_back("document"); });
    }
};

class TestView : public framework::View {
  public:
    TestView() {
        MapCommand(kViewOnly, [] { Log().push_back("view"); });
        MapCommand(kViewAndApp, [] { Log().push_back("view"); });
        MapCommand(kHandledButDisabled, [] { Log().push_back("disabled handler ran"); });
        MapUpdateCommandUi(kHandledButDisabled, [](framework::CmdUI& ui) { ui.Enable(false); });
        MapCommand(kChecked, [] {});
        MapUpdateCommandUi(kChecked, [](framework::CmdUI& ui) { ui.SetCheck(true); });
    }
    void OnDraw(QPainter& painter) override {
        ++draws;
        painter.fillRect(rect(), Qt::white);
    }
    void OnUpdate(framework::View* sender, long hint, QObject*) override {
        updates.push_back({sender, hint});
    }
    void OnLButtonDown(unsigned flags, QPoint point) override {
        mouse.push_back({"LDown", flags, point});
    }
    void OnLButtonUp(unsigned flags, QPoint point) override {
        mouse.push_back({"LUp", flags, point});
    }
    void OnLButtonDblClk(unsigned flags, QPoint point) override {
        mouse.push_back({"LDbl", flags, point});
    }
    void OnRButtonDown(unsigned flags, QPoint point) override {
        mouse.push_back({"RDown", flags, point});
    }
    void OnRButtonDblClk(unsigned flags, QPoint point) override {
        mouse.push_back({"RDbl", flags, point});
    }
    void OnMouseMove(unsigned flags, QPoint point) override {
        mouse.push_back({"Move", flags, point});
    }

    struct Update {
        framework::View* sender;
        long hint;
    };
    struct Mouse {
        std::string handler;
        unsigned flags;
        QPoint point;
    };
    int draws = 0;
    std::vector<Update> updates;
    std::vector<Mouse> mouse;
};

class TestFrame : public framework::FrameWnd {
  public:
    TestFrame() {
        MapCommand(kFrameOnly, [] { Log().push_back("frame"); });
    }
};

inline framework::FrameResources Resources() {
    using framework::MenuResource;
    framework::FrameResources resources;
    resources.id = 1;
    resources.documentString = QStringLiteral("Tester\n\nTester");
    for (framework::CommandId id = kViewOnly; id <= kChecked; ++id) {
        resources.commands.push_back({id,
                                      QStringLiteral("Item %1").arg(id),
                                      {},
                                      QStringLiteral("Prompt %1\nTip %1").arg(id),
                                      {},
                                      {}});
    }
    resources.commands.push_back(
        {framework::kFileNew, "&New\tCtrl+N", {"Ctrl+N"}, "New\nNew", {}, {}});
    resources.menuBar = {
        MenuResource::Popup("&Test", {MenuResource::Item(kViewOnly), MenuResource::Item(kNobody)})};
    return resources;
}

class TestApp : public framework::Application {
  public:
    TestApp() : framework::Application(QStringLiteral("Tester")) {
        MapCommand(kAppOnly, [] { Log().push_back("app"); });
        MapCommand(kViewAndApp, [] { Log().push_back("app"); });
        MapCommand(framework::kFileNew, [this] { OnFileNew(); });
    }
    bool InitInstance(const framework::CommandLineInfo& commandLine) override {
        AddDocTemplate(
            framework::DocTemplate::Create<TestDocument, TestFrame, TestView>(Resources()));
        return ProcessShellCommand(commandLine);
    }
    TestView* View() const {
        return GetMainWnd() != nullptr ? static_cast<TestView*>(GetMainWnd()->GetActiveView())
                                       : nullptr;
    }
};

}  // namespace testapp
