#include "framework/doc_template.h"

#include "framework/document.h"
#include "framework/translation.h"
#include "framework/view.h"

namespace framework {

namespace {
CreationObserver& Observer() {
    static CreationObserver observer;
    return observer;
}

void Notify(CreatedObject kind, void* object) {
    if (Observer()) {
        Observer()(kind, object);
    }
}
}  // namespace

CreationObserver SetCreationObserver(CreationObserver observer) {
    CreationObserver previous = std::move(Observer());
    Observer() = std::move(observer);
    return previous;
}

DocTemplate::DocTemplate(FrameResources frameResources, DocumentFactory makeDocument,
                         FrameFactory makeFrame, ViewFactory makeView)
    : resources(std::move(frameResources)),
      documentFactory(std::move(makeDocument)),
      frameFactory(std::move(makeFrame)),
      viewFactory(std::move(makeView)) {}

DocTemplate::~DocTemplate() {
    // The frame takes its view with it and then lets the document go.
    delete frame.data();
    if (document != nullptr) {
        document->docTemplate = nullptr;
    }
    document.reset();
}

Document* DocTemplate::OpenDocumentFile(const QString& path, bool makeVisible) {
    const bool opening = !path.isEmpty();
    if (document == nullptr) {
        std::unique_ptr<Document> made = documentFactory();
        Notify(CreatedObject::Document, made.get());
        made->docTemplate = this;
        FrameWnd* madeFrame = frameFactory();
        Notify(CreatedObject::Frame, madeFrame);
        CreateContext context;
        context.document = made.get();
        context.docTemplate = this;
        context.createView = [this] {
            View* view = viewFactory();
            Notify(CreatedObject::View, view);
            return view;
        };
        if (!madeFrame->LoadFrame(resources, context)) {
            delete madeFrame;
            return nullptr;
        }
        document = std::move(made);
        frame = madeFrame;
        madeFrame->onDestroyed = [this] { OnFrameDestroyed(); };
        document->openingAtStartUp = opening;
        const bool ready = opening ? document->OnOpenDocument(path) : document->OnNewDocument();
        document->openingAtStartUp = false;
        if (!ready) {
            delete frame.data();
            return nullptr;
        }
    } else {
        if (!document->SaveModified()) {
            return nullptr;
        }
        const bool ready = opening ? document->OnOpenDocument(path) : document->OnNewDocument();
        if (!ready) {
            return nullptr;
        }
    }
    if (opening) {
        document->SetPathName(path);
    } else {
        SetDefaultTitle();
    }
    if (frame != nullptr) {
        frame->InitialUpdateFrame(makeVisible);
    }
    return document.get();
}

void DocTemplate::UpdateFrameTitle() {
    if (frame != nullptr) {
        frame->OnUpdateFrameTitle();
    }
}

void DocTemplate::SetDefaultTitle() {
    const QString name = resources.DocumentString(1);
    document->SetTitle(name.isEmpty() ? QTr("Untitled") : name);
}

void DocTemplate::OnFrameDestroyed() {
    frame = nullptr;
    if (document != nullptr) {
        document->docTemplate = nullptr;
    }
    document.reset();
}

}  // namespace framework
