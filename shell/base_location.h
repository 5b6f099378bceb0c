// Where the window keeps its base file: the file `--base` names; with `--user-base` (the desktop
// launcher's, whose working folder is the home folder) torvelbase.txt in the user's data folder,
// $XDG_DATA_HOME/torvel or ~/.local/share/torvel, made on first use and used only while it is the
// user's alone; else torvelbase.txt in the working folder, as the command-line program keeps it.
// Names are bytes throughout: what the command line and the environment give is used as given.
#pragma once

#include <QString>
#include <string>

#include "framework/command_line.h"
#include "table/base_file.h"

namespace shell {

struct BaseLocation {
    std::string path;  // empty when the folder cannot be made: the run keeps no file
    files::FolderRule rule = files::FolderRule::Any;
    QString problem;  // what to tell then, in lower case
};

BaseLocation ChooseBaseFile(const framework::CommandLineInfo& commandLine);

// The user's data folder: $XDG_DATA_HOME when it is absolute, else .local/share in the home
// folder ($HOME, or the password database's when HOME is unset or relative).
std::string DataHome();

}  // namespace shell
