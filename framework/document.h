// The document: what the program works on, with its title, file path and modified flag, and
// the list of views that show it. The standard file commands end here: `OnOpenDocument` and
// `OnSaveDocument` open the file and hand an Archive to `Serialize`; a program that keeps
// nothing in files leaves `Serialize` empty, so opening only renames the document and saving
// writes an empty file.
#pragma once

#include <QString>
#include <vector>

#include "framework/cmd_target.h"

class QIODevice;
class QObject;

namespace framework {

class DocTemplate;
class View;

// A file opened for one serialisation, in one direction.
class Archive {
  public:
    Archive(QIODevice& file, bool storing) : device(file), isStoring(storing) {}
    bool IsStoring() const { return isStoring; }
    bool IsLoading() const { return !isStoring; }
    QIODevice& Device() const { return device; }

  private:
    QIODevice& device;
    bool isStoring;
};

class Document : public CmdTarget {
  public:
    Document();
    ~Document() override;

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);
    // Empties the document before it takes new contents.
    virtual void DeleteContents() {}
    virtual void Serialize(Archive& archive);
    // Asks to save a modified document; false when the user cancels.
    virtual bool SaveModified();

    // Saves under `path`, or asks for a name first when it is empty (Save As).
    bool DoSave(const QString& path);
    // Where the name a save writes to comes from: the document's own file (Save), or a name the
    // user has just chosen (Save As).
    enum class PathSource { Document, ChosenNow };
    // What a save came to: written, not written (the user was told why), or not written to the
    // document's own file, which the user is to save under another name.
    enum class SaveOutcome { Saved, NotSaved, AskForName };
    // Writes the document to `path`. The base asks before replacing a file that exists under a
    // name just chosen; a document whose files need more care than a name decides it all
    // itself, questions included.
    virtual SaveOutcome SaveToFile(const QString& path, PathSource source);
    bool DoFileSave();

    // Tells every view but `sender` to update, with the hint.
    void UpdateAllViews(View* sender, long hint = 0, QObject* hintObject = nullptr);

    const QString& GetTitle() const { return title; }
    void SetTitle(const QString& newTitle);
    const QString& GetPathName() const { return pathName; }
    // Names the document after the file and puts the file on the recent-file list.
    void SetPathName(const QString& path, bool addToRecentList = true);
    // Lets the document's file go: no name, the first title again, and the next Save asks for a
    // name. The file itself is left as it is.
    virtual void ForgetFile();
    // The file's name as the title shows it; the base shows it as it is.
    virtual QString DisplayName(const QString& fileName) const { return fileName; }
    // Whether the file being opened is the one the program was started with: a document that
    // cannot open it ends the program.
    bool IsOpeningAtStartUp() const { return openingAtStartUp; }
    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool isModified = true) { modified = isModified; }
    const std::vector<View*>& GetViews() const { return views; }
    DocTemplate* GetDocTemplate() const { return docTemplate; }

    void AddView(View* view);
    void RemoveView(View* view);

  private:
    friend class DocTemplate;
    DocTemplate* docTemplate = nullptr;
    bool openingAtStartUp = false;
    QString title;
    QString pathName;
    bool modified = false;
    std::vector<View*> views;
};

}  // namespace framework
