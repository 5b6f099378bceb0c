// The recent-file list: the last files opened or saved, newest first, kept in the settings
// under "Recent File List" as File1, File2, ...
#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace framework {

class RecentFileList {
  public:
    explicit RecentFileList(int maxEntries) : size(maxEntries) {}

    // Puts the file first, once, and drops what falls off the end.
    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Files() const { return files; }
    int MaxSize() const { return size; }

    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;

  private:
    int size;
    QStringList files;
};

}  // namespace framework
