#include "files/failure_text.h"

#include <cerrno>
#include <cstring>

#include "text/translation.h"

namespace files {

using text::Tr;

std::string SystemText(int error) {
    return std::strerror(error != 0 ? error : EIO);
}

std::string FailureText(const FileResult& result, Wording wording) {
    if (wording == Wording::System) {
        if (result.outcome == FileOutcome::Missing) {
            return SystemText(ENOENT);
        }
        return result.outcome == FileOutcome::Failed ? SystemText(result.error)
                                                     : FailureText(result);
    }
    if (wording == Wording::Phrase) {
        switch (result.outcome) {
            case FileOutcome::Missing:
                return Tr("no such file");
            case FileOutcome::NotRegular:
                return Tr("not a regular file");
            case FileOutcome::LinkRefused:
                return Tr("a link that another user made in a shared folder");
            default:
                return result.error != 0 ? SystemText(result.error) : FailureText(result);
        }
    }
    switch (result.outcome) {
        case FileOutcome::Missing:
            return Tr("no such file");
        case FileOutcome::NotRegular:
            return Tr("it is not a regular file");
        case FileOutcome::LinkRefused:
            return Tr("it is a link that another user made in a shared folder");
        case FileOutcome::NotPrivate:
            return Tr("its folder is not the user's own, or others may write to it");
        case FileOutcome::TooLarge:
            return Tr("it is larger than any file Torvel writes");
        case FileOutcome::Changed:
            return Tr("it changed meanwhile");
        case FileOutcome::Taken:
            return Tr("another file took its name meanwhile");
        case FileOutcome::ReadOnly:
            return Tr("it is read-only");
        case FileOutcome::Done:
        case FileOutcome::Failed:
            break;
    }
    return SystemText(result.error);
}

}  // namespace files
