#include "framework/recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

namespace framework {

namespace {
const QString kSection = QStringLiteral("Recent File List");
QString EntryName(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}
}  // namespace

void RecentFileList::Add(const QString& path) {
    if (path.isEmpty() || size <= 0) {
        return;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > size) {
        files.removeLast();
    }
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < files.size()) {
        files.removeAt(index);
    }
}

void RecentFileList::ReadList(QSettings& settings) {
    files.clear();
    settings.beginGroup(kSection);
    for (int i = 0; i < size; ++i) {
        const QString path = settings.value(EntryName(i)).toString();
        if (!path.isEmpty() && !files.contains(path)) {
            files.append(path);
        }
    }
    settings.endGroup();
}

void RecentFileList::WriteList(QSettings& settings) const {
    settings.beginGroup(kSection);
    settings.remove(QString());
    for (int i = 0; i < files.size(); ++i) {
        settings.setValue(EntryName(i), files[i]);
    }
    settings.endGroup();
}

}  // namespace framework
