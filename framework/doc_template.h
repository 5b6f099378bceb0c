// The single-document template: ties a frame's resources to a document class, a frame class
// and a view class, and makes them by class when a document is first made or opened, in this
// order: the document, then the frame with its bars, then the view. Later new and open
// commands reuse the one document, frame and view. The template owns the document; the frame
// (with its view) deletes itself when it closes, and the document goes with it.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "framework/frame_wnd.h"
#include "framework/resources.h"

namespace framework {

class Document;
class View;

enum class CreatedObject { Document, Frame, View };

// Told of every document, frame and view a template makes, in order (a tracing hook).
using CreationObserver = std::function<void(CreatedObject, void*)>;
CreationObserver SetCreationObserver(CreationObserver observer);

class DocTemplate {
  public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    using FrameFactory = std::function<FrameWnd*()>;
    using ViewFactory = std::function<View*()>;

    DocTemplate(FrameResources frameResources, DocumentFactory makeDocument, FrameFactory makeFrame,
                ViewFactory makeView);
    ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    template <class DocumentClass, class FrameClass, class ViewClass>
    static std::unique_ptr<DocTemplate> Create(FrameResources frameResources) {
        return std::make_unique<DocTemplate>(
            std::move(frameResources), [] { return std::make_unique<DocumentClass>(); },
            [] { return new FrameClass(); }, [] { return new ViewClass(); });
    }

    // With an empty path a new document, else the file. Null when it fails; a document already
    // in place is then left as it was.
    Document* OpenDocumentFile(const QString& path, bool makeVisible = true);

    Document* GetDocument() const { return document.get(); }
    FrameWnd* GetFrame() const { return frame.data(); }
    const FrameResources& Resources() const { return resources; }
    void UpdateFrameTitle();
    // Titles the document as a new one ("Untitled").
    void SetDefaultTitle();

  private:
    void OnFrameDestroyed();

    FrameResources resources;
    DocumentFactory documentFactory;
    FrameFactory frameFactory;
    ViewFactory viewFactory;
    std::unique_ptr<Document> document;
    QPointer<FrameWnd> frame;
};

}  // namespace framework
