// Where the window keeps its base file: the file `--base` names; with `--user-base` (the desktop
// launcher's, whose working folder is the home folder) torvelbase.txt in the user's data folder,
// $XDG_DATA_HOME/torvel or ~/.local/share/torvel, made on first use; else torvelbase.txt in the
// working folder, as the command-line program keeps it.
#pragma once

#include <QString>
#include <string>

#include "framework/command_line.h"

namespace shell {

struct BaseLocation {
    std::string path;  // empty when the folder cannot be made: the run keeps no file
    QString problem;   // what to tell then, in lower case
};

BaseLocation ChooseBaseFile(const framework::CommandLineInfo& commandLine);

}  // namespace shell
