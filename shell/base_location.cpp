#include "shell/base_location.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <cerrno>

#include "files/failure_text.h"
#include "framework/translation.h"

namespace shell {

std::string DataHome() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (dataHome.startsWith('/')) {
        return dataHome.toStdString();
    }
    std::string home = qgetenv("HOME").toStdString();
    if (!home.starts_with('/')) {
        const passwd* user = ::getpwuid(::geteuid());
        home = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
    }
    return home + "/.local/share";
}

BaseLocation ChooseBaseFile(const framework::CommandLineInfo& commandLine) {
    if (!commandLine.baseFile.isEmpty()) {
        return {commandLine.baseFile.toStdString(), files::FolderRule::Any, {}};
    }
    if (!commandLine.userBase) {
        return {table::kBaseFileName, files::FolderRule::Any, {}};
    }
    // Each missing folder is made for the user alone, as data folders should be.
    const std::string folder = DataHome() + "/torvel";
    int error = folder.starts_with('/') ? 0 : ENOENT;
    for (size_t slash = 1; error == 0 && slash != std::string::npos;) {
        slash = folder.find('/', slash + 1);
        const std::string part = folder.substr(0, slash);
        struct stat info {};
        error = ::mkdir(part.c_str(), 0700) == 0 || errno == EEXIST ? 0 : errno;
        if (error == 0 && (::stat(part.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))) {
            error = ENOTDIR;
        }
    }
    if (error != 0) {
        return {{},
                files::FolderRule::Any,
                framework::QTr("the folder '%1' for the base file cannot be made (%2); the "
                               "computer's positions are not kept this time")
                    .arg(QString::fromStdString(text::EscapedName(folder)),
                         QString::fromStdString(files::SystemText(error)))};
    }
    return {folder + "/" + table::kBaseFileName, files::FolderRule::Private, {}};
}

}  // namespace shell
