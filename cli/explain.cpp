// `explain`: the lesson of one position. The hint first, then every row in binary and as powers
// of two, how many rows hold each power, and the rule at work: the move that pairs the powers off,
// the single-stick rule at the end of the game, or, in a lost position, that the rows pair off
// already and which move holds out longest; then every winning move. The search, with the base
// file, only names the hint's move; the rest comes from the rule alone (engine/lesson.h).

#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "engine/advice.h"
#include "text/translation.h"

namespace cli {

namespace {

const char* StageName(engine::Stage stage) {
    switch (stage) {
        case engine::Stage::Pairing:
            return "pairing";
        case engine::Stage::OneLongRow:
            return "oneLongRow";
        case engine::Stage::SingleSticks:
            return "singleSticks";
        case engine::Stage::Over:
            break;
    }
    return "over";
}

std::string JsonLesson(const engine::Lesson& lesson, const std::vector<std::string>& lines) {
    std::string json = "{\"rows\":" + JsonArray(lesson.rows) +
                       ",\"stage\":" + JsonString(StageName(lesson.stage)) +
                       ",\"outcome\":" + JsonString(lesson.Wins() ? "wins" : "loses") +
                       ",\"powers\":[";
    for (int32_t k = engine::kPowersOfTwo - 1; k >= 0; --k) {
        const int32_t rows = lesson.rowsWithPower[static_cast<size_t>(k)];
        json += "{\"power\":" + std::to_string(1 << k) + ",\"rows\":" + std::to_string(rows) +
                ",\"odd\":" + (rows % 2 == 1 ? "true" : "false") + (k > 0 ? "}," : "}");
    }
    json += "],\"move\":{" + JsonMove(lesson.move.move) + ',' + JsonScore(lesson.move.score) +
            "},\"singlesLeft\":" + std::to_string(lesson.singlesLeft) + ",\"winningMoves\":[";
    for (size_t i = 0; i < lesson.winningMoves.size(); ++i) {
        json += i > 0 ? ",{" : "{";
        json += JsonMove(lesson.winningMoves[i]) + '}';
    }
    json += "],\"lines\":[";
    for (size_t i = 0; i < lines.size(); ++i) {
        json += i > 0 ? "," : "";
        json += JsonString(lines[i]);
    }
    return json + "]}";
}

}  // namespace

int RunExplain(Arguments args) {
    PositionCommand command;
    if (auto error = ParsePositionCommand(args, command, true)) {
        return UsageFailure(error->message);
    }
    const engine::Advice advice = engine::Advise(OpenPosition(command));
    if (!advice.lesson) {
        return UsageFailure(text::Tr("the position is empty: there is no move to make"));
    }
    if (command.json) {
        const text::SourceTexts english;  // machine-read: the lines stay English
        std::cout << JsonLesson(*advice.lesson, advice.Lines()) << '\n';
        return 0;
    }
    for (const std::string& line : advice.Lines()) {
        std::cout << line << '\n';
    }
    return 0;
}

}  // namespace cli
