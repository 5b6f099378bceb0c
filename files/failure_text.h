// The one way a file that fails is put into words, for the base file, saved games, the window and
// torvel-cli alike, and the one place the system's own words for an error come from.
#pragma once

#include <string>

#include "files/file_layer.h"

namespace files {

// How the words stand in the sentence around them.
enum class Wording {
    Clause,  // after a colon: "no such file", "it is not a regular file", the system's words
    Phrase,  // a read that failed, in short: "not a regular file", "a link that another user
             // made in a shared folder", the system's words
    System,  // the system's words wherever it has some ("No such file or directory"), else a
             // clause
};

// Why a file could not be read or written.
std::string FailureText(const FileResult& result, Wording wording = Wording::Clause);

// The system's words for an errno value ("Permission denied"); for 0, those of EIO.
std::string SystemText(int error);

}  // namespace files
