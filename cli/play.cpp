// `play`: a whole game against the computer in the terminal, or through a pipe, kept with
// `--save FILE` after every move. The file is looked at before the game starts and written
// from the first move on: a game in progress there is taken up, a finished one is replaced by
// the new game, and anything else there is refused and left as it is.

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/terminal_game.h"
#include "cli/terminal_width.h"
#include "engine/game_engine.h"
#include "engine/saved_game_file.h"
#include "files/failure_text.h"
#include "text/columns.h"
#include "text/escaped_name.h"
#include "text/translation.h"

namespace cli {

namespace {

using text::Fill;
using text::Tr;

struct PlayOptions {
    PlaySettings settings;
    bool rowsGiven = false;
    bool startGiven = false;
    std::string savePath;
};

// The rows after --start at `args[i]`: every argument up to the next option or the end, read
// as `analyze` reads a position; moves `i` onto the last of them.
std::optional<UsageError> TakeStart(std::span<const std::string> args, size_t& i,
                                    std::vector<int32_t>& rows) {
    const size_t first = i + 1;
    while (i + 1 < args.size() && !RejectOptions(args.subspan(i + 1, 1))) {  // not an option
        ++i;
    }
    if (auto error = ParsePosition(args.subspan(first, i + 1 - first), rows)) {
        return error;
    }
    if (std::all_of(rows.begin(), rows.end(), [](int32_t s) { return s == 0; })) {
        return UsageError{Tr("the position is empty: there is no move to make")};
    }
    return std::nullopt;
}

std::optional<UsageError> ReadPlayOptions(const std::vector<std::string>& rest,
                                          PlayOptions& options) {
    for (size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if (arg == "--computer-first") {
            options.settings.computerFirst = true;
        } else if (arg == "--rows") {
            if (options.rowsGiven) {
                return UsageError{Tr("--rows given twice")};
            }
            int32_t rows = 0;
            if (auto error = TakeNumber(rest, i, engine::kFewestRows, engine::kMostRows, rows)) {
                return error;
            }
            options.settings.rows = rows;
            options.rowsGiven = true;
        } else if (arg == "--start") {
            if (options.startGiven) {
                return UsageError{Tr("--start given twice")};
            }
            if (auto error = TakeStart(rest, i, options.settings.start)) {
                return error;
            }
            options.startGiven = true;
        } else if (arg == "--save") {
            if (!options.savePath.empty()) {
                return UsageError{Tr("--save given twice")};
            }
            if (i + 1 == rest.size() || rest[i + 1].empty()) {
                return UsageError{Tr("--save needs a file name")};
            }
            options.savePath = rest[++i];
        } else if (arg.starts_with("-")) {
            return UsageError{Fill(Tr("unknown play option '%1'"), {text::EscapedName(arg)})};
        } else {
            return UsageError{Fill(Tr("play takes no position: '%1' (the game starts from the full "
                                      "board; see --rows)"),
                                   {text::EscapedName(arg)})};
        }
    }
    if (options.rowsGiven && options.startGiven) {
        return UsageError{Tr("--rows and --start cannot be used together")};
    }
    return std::nullopt;
}

// Looks at the file --save names before the game: what is there may be kept, taken up or
// replaced by the game; anything else is refused.
std::optional<UsageError> OpenSaveFile(engine::SavedGameFile& file, PlayOptions& options) {
    using Content = engine::SavedGameFile::Content;
    const std::string shown = text::Quoted(text::Quotes::Single, options.savePath);
    const engine::SavedGameFile::Opened opened = file.Open(options.savePath);
    switch (opened.result.outcome) {
        case files::FileOutcome::Done:
            break;
        case files::FileOutcome::Missing:
            return UsageError{Fill(Tr("--save %1: no such folder"), {shown})};
        case files::FileOutcome::Failed:
            return UsageError{
                Fill(Tr("--save %1 cannot be read: %2"),
                     {shown, files::FailureText(opened.result, files::Wording::Phrase)})};
        default:
            return UsageError{
                // Translators: the file, then why it cannot be used ("it is not a regular file").
                Fill(Tr("--save %1: %2"), {shown, files::FailureText(opened.result)})};
    }
    const engine::SavedGame& saved = opened.reading.saved;
    const std::vector<int32_t> end = engine::RowsAfter(saved.game);
    const bool over = std::all_of(end.begin(), end.end(), [](int32_t s) { return s == 0; });
    switch (opened.content) {
        case Content::NotAGame:
            return UsageError{Fill(Tr("--save %1 holds no saved game (its first line is not "
                                      "'%2'): it is left as it is"),
                                   {shown, engine::kSavedGameFirstLine})};
        case Content::Damaged:
            return UsageError{Fill(Tr("--save %1 is damaged: line %2: %3; it is left as it is"),
                                   {shown, opened.reading.line, opened.reading.problem})};
        case Content::Game:
            if (over) {
                break;  // replaced by the new game at its first move
            }
            if (options.rowsGiven && engine::IsFullStart(saved.game.start) &&
                size_t(options.settings.rows) != saved.game.start.size()) {
                return UsageError{Fill(Tr("--rows %1 disagrees with the game kept in %2, which "
                                          "has %3 rows"),
                                       {options.settings.rows, shown, saved.game.start.size()})};
            }
            if ((options.rowsGiven || options.startGiven) &&
                saved.game.start != (options.startGiven
                                         ? options.settings.start
                                         : engine::StartingRows(options.settings.rows))) {
                return UsageError{
                    // Translators: the option as given ("--start 3 4 5", "--rows 4"), the file,
                    // and the rows the game kept there started from ("1 3 5 7").
                    Fill(Tr("%1 disagrees with the game kept in %2, which starts from %3"),
                         {options.startGiven ? "--start " + PositionText(options.settings.start)
                                             : "--rows " + std::to_string(options.settings.rows),
                          shown, PositionText(saved.game.start)})};
            }
            if (options.settings.computerFirst &&
                (saved.game.moves.empty() ||
                 saved.game.moves.front().player == engine::Player::Human)) {
                return UsageError{Fill(Tr("--computer-first disagrees with the game kept in %1, "
                                          "in which the human plays first"),
                                       {shown})};
            }
            options.settings.takeUp = saved;
            break;
        case Content::Nothing:
        case Content::Empty:
            break;
    }
    // The game is kept after every move: a file it may not replace is refused before the first.
    const files::FileResult writable = file.Where().CheckWritable();
    if (writable.outcome == files::FileOutcome::ReadOnly) {
        return UsageError{Fill(Tr("--save %1 is read-only: it is left as it is, and no game is "
                                  "played into it (review reads the game it keeps)"),
                               {shown})};
    }
    if (!writable.Done()) {
        return UsageError{Fill(Tr("--save %1 cannot be written in its folder: %2"),
                               {shown, files::FailureText(writable)})};
    }
    return std::nullopt;
}

}  // namespace

int RunPlay(Arguments args) {
    std::vector<std::string> rest(args.begin(), args.end());
    BaseOption base;
    if (auto error = TakeBaseOption(rest, base)) {
        return UsageFailure(error->message);
    }
    PlayOptions options;
    if (auto error = ReadPlayOptions(rest, options)) {
        return UsageFailure(error->message);
    }
    engine::SavedGameFile file;
    if (!options.savePath.empty()) {
        if (auto error = OpenSaveFile(file, options)) {
            return UsageFailure(error->message);
        }
    }
    const std::shared_ptr<table::PositionTable> positions = MakeTable(base);
    if (!options.savePath.empty()) {
        const files::Sameness same = positions->CompareWithBaseFile(file.Where());
        if (same != files::Sameness::Different) {
            return UsageFailure(
                same == files::Sameness::Same
                    ? Fill(Tr("--save %1 is the base file: the game would take the computer's "
                              "positions' place"),
                           {text::Quoted(text::Quotes::Single, options.savePath)})
                    : Fill(Tr("--save %1 cannot be told apart from the base file: the game is "
                              "not played"),
                           {text::Quoted(text::Quotes::Single, options.savePath)}));
        }
    }
    positions->Load();
    PlaySettings& settings = options.settings;
    settings.echoInput = ::isatty(STDIN_FILENO) == 0;
    settings.width = TerminalWidth();
    files::FileResult saveResult;
    bool kept = settings.takeUp.has_value();  // whether the file holds this game
    if (!options.savePath.empty()) {
        settings.keep = [&file, &saveResult, &kept](const engine::SavedGame& saved) {
            saveResult = file.Save(saved);
            kept = kept || saveResult.Done();
            return saveResult.Done();
        };
    }
    engine::GameEngine game(positions);
    TerminalGame terminalGame(game, std::cin, std::cout, settings);
    const TerminalGame::End end = terminalGame.Play();
    positions->Sync();
    if (end == TerminalGame::End::Stopped && kept && saveResult.Done()) {
        const std::string shown = text::Quoted(text::Quotes::Single, options.savePath);
        std::cout << text::Wrapped(Fill(Tr("The game is kept in %1: torvel-cli play --save %1 "
                                           "takes it up again."),
                                        {shown}),
                                   settings.width)
                  << '\n';
    }
    if (saveResult.outcome == files::FileOutcome::Changed) {
        std::cerr << "torvel-cli: "
                  << Fill(Tr("%1 changed since this game read or wrote it: it is left as it is, "
                             "and the game ends here"),
                          {text::Quoted(text::Quotes::Single, options.savePath)})
                  << '\n';
        return 1;
    }
    if (!saveResult.Done()) {
        std::cerr << "torvel-cli: "
                  << Fill(Tr("the game could not be saved as %1 (%2); it ends here"),
                          {text::Quoted(text::Quotes::Single, options.savePath),
                           files::FailureText(saveResult)})
                  << '\n';
        return 1;
    }
    return 0;
}

}  // namespace cli
