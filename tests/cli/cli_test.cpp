// torvel-cli as a user runs it (answers, files, mistakes, a game through a pipe, verify), the
// terminal game through streams, and the independent solver that verify trusts.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <numeric>

#include "cli/base_check.h"
#include "cli/json.h"
#include "cli/key_solver.h"
#include "cli/terminal_game.h"
#include "engine/game_engine.h"
#include "engine/saved_game.h"
#include "support/language.h"
#include "support/reference_model.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "text/columns.h"

namespace {

using Rows = std::vector<int32_t>;
using cli::JsonArray;
using cli::JsonMove;
using cli::JsonScore;
using testsupport::ReadFile;

// torvel-cli with the words of `line` as its arguments.
testsupport::RunResult Cli(const std::string& line, const std::string& input = {}) {
    std::vector<std::string> args;
    std::istringstream words(line);
    for (std::string word; std::getline(words, word, ' ');) {  // only spaces part words
        if (!word.empty()) {
            args.push_back(word);
        }
    }
    return testsupport::RunProgram(TORVEL_CLI, args, input);
}

// The rows as a key's counts: entry k-1 the number of rows of k sticks.
std::vector<int32_t> counts(const Rows& rows) {
    std::vector<int32_t> c(size_t(*std::max_element(rows.begin(), rows.end())), 0);
    for (int32_t sticks : rows) {
        if (sticks > 0) {
            ++c[size_t(sticks - 1)];
        }
    }
    return c;
}

// Every line torvel-cli prints in the pseudo-language came from the catalogue, its name aside.
void ExpectMarked(const std::string& line, const std::string& input) {
    SCOPED_TRACE(line);
    testsupport::Speak(testsupport::kPseudoLanguage);
    const testsupport::RunResult result = Cli(line, input);
    testsupport::Speak("");
    testsupport::ExpectMarkedLines(result.out + result.err, "torvel-cli");
}

size_t Lines(const std::string& text) {
    return size_t(std::count(text.begin(), text.end(), '\n'));
}

TEST(Cli, AnswersAndTheBaseFileTheyLeave) {
    testsupport::TempDir dir;
    EXPECT_EQ(Cli("score 1 3 5 7").out, "-16\n");
    const std::string written = ReadFile("torvelbase.txt");
    EXPECT_EQ(Lines(written), 133u);
    EXPECT_EQ(Cli("score 7 5 3 1").out, "-16\n");
    EXPECT_EQ(ReadFile("torvelbase.txt"), written) << "a second run finds it all";
    // The hint, every row in binary and as powers of two, the rule at work, every winning move.
    EXPECT_EQ(
        Cli("explain 1 3 5 4").out,
        "You can win: take 3 sticks from row 1 (wins in 10 moves).\nRow 0: 1 stick, 001 in "
        "binary, 1.\nRow 1: 3 sticks, 011 in binary, 2+1.\nRow 2: 5 sticks, 101 in binary, "
        "4+1.\nRow 3: 4 sticks, 100 in binary, 4.\nThe power 4 is in 2 rows: an even "
        "number.\nThe power 2 is in 1 row: an odd number.\nThe power 1 is in 3 rows: an odd "
        "number.\nThe powers 2 and 1 come an odd number of times.\nTaking 3 sticks from row "
        "1 evens them all, so the rows pair off; then pair them again after each reply.\nOnce "
        "only one row holds two sticks or more, take it down to one stick or none, so that an "
        "odd number of single sticks is left.\nWinning moves: 3 sticks from row 1.\n");
    EXPECT_EQ(
        Cli("explain --json 0 1 5").out,
        R"({"rows":[0,1,5],"stage":"oneLongRow","outcome":"wins","powers":[{"power":8,)"
        R"("rows":0,"odd":false},{"power":4,"rows":1,"odd":true},{"power":2,"rows":0,"odd":)"
        R"(false},{"power":1,"rows":2,"odd":false}],"move":{"row":2,"take":5,"score":3,)"
        R"("outcome":"wins","movesLeft":2},"singlesLeft":1,"winningMoves":[{"row":2,"take")"
        R"(:5}],"lines":["You can win: take 5 sticks from row 2 (wins in 2 moves).","Row 0: )"
        R"(0 sticks, 000 in binary, 0.","Row 1: 1 stick, 001 in binary, 1.","Row 2: 5 )"
        R"(sticks, 101 in binary, 4+1.","The power 4 is in 1 row: an odd number.","The )"
        R"(power 2 is in 0 rows: an even number.","The power 1 is in 2 rows: an even )"
        R"(number.","Only row 2 holds more than one stick. Taking 5 sticks from row 2 leaves )"
        R"(1 single stick, an odd number, so the computer takes the last.","Winning moves: 5 )"
        R"(sticks from row 2."]})"
        "\n");
    const auto move = Cli("--base five.txt move 1 3 5 7 9");  // options before the command too
    EXPECT_EQ(move.out + move.err, "4 9\n");
    EXPECT_EQ(testsupport::Hash(ReadFile("five.txt")), 0xfd695e580db11f77ull);
    EXPECT_EQ(Cli("score --no-base 0 0").out, "1\n");
    EXPECT_EQ(Cli("--no-base move 2 2").out, "0 1\n");
    testsupport::WriteFile("torvelbase.txt", "3\n0 1\n");
    const auto damaged = Cli("move 1 3 5");
    EXPECT_EQ(damaged.out, "2 3\n");
    EXPECT_EQ(damaged.err,
              "torvel-cli: the base file 'torvelbase.txt' is damaged (line 3: the file ends "
              "before a key's length); starting with an empty table\ntorvel-cli: the damaged base "
              "file 'torvelbase.txt' was set aside as 'torvelbase.txt.damaged'\n");
    EXPECT_EQ(ReadFile("torvelbase.txt.damaged"), "3\n0 1\n") << "never destroyed";
    EXPECT_EQ(Cli("verify --base /proc/self/mem").out,
              "/proc/self/mem: cannot be read: Input/output error\n");
    for (const char* language : {"", "de", "fr"}) {  // help fits 80 columns in every language
        testsupport::Speak(language);
        for (const char* help : {"--help", "play --help"}) {
            const auto shown = Cli(help);
            EXPECT_EQ(shown.status, 0);
            std::istringstream lines(shown.out);
            for (std::string line; std::getline(lines, line);) {
                EXPECT_LE(text::Columns(line), 80u) << language << ": " << line;
            }
        }
    }
    testsupport::Speak("");
    EXPECT_EQ(Cli("--version").out, "torvel-cli 1.0.0\n");
    const std::string bench = Cli("bench --repeat 1").out;
    EXPECT_NE(bench.find("signature: evaluations 47722, keys 21310, bytes written 557670049\n"),
              std::string::npos)
        << bench;
}

// Each mistake gets one line, status 2 and touches no file; in every language its words come
// from the catalogue, as do all other lines.
TEST(Cli, MistakesGetOneLineAndStatusTwoAndTouchNoFile) {
    testsupport::TempDir dir;
    // Each mistake, and after '|' what its line must say where that matters.
    std::istringstream mistakes(
        "play-chess|unknown command 'play-chess' (try --help)\n,--frobnicate,move,move 1 x|'x',"
        "move 1 -3,score 1 2.5,move 1 3 5 7 9 11 13 0,move 13 13|row '13' does not fit,move 0 0 0,"
        "move --turbo 1|unknown option '--turbo',move --base,move --base a --base b 1,"
        "move --base a --no-base 1,score 99999999999999|row '99999999999999' does not fit,"
        "move 99999999999999999999|does not fit,--base|--base needs,--no-base --json|no command,"
        "review,review a b|not also 'b',review m\x9b\\|'m\\x9b\\\\' cannot be read: no such file,"
        "review x\u202ey|'x\\xe2\\x80\\xaey' cannot be,play --save .|'.': it is not a regular file,"
        "play --save no/such/game.txt|'no/such/game.txt': no such folder,"
        "review --no-base .|'.' cannot be read: not a regular file,play --save,"
        "play --save a --save b|--save given twice,play --save ./torvelbase.txt|is the base "
        "file,bench --repeat 0,bench --repeat 1x,"
        "bench --repeat 2.5,bench --repeat \t1,bench --repeat|--repeat needs a number,"
        "bench --fast,play --rows 8,play --rows 4x,play --rows,play --rows 3 --rows 4,"
        "play --bogus,play 1 3,verify --no-base,verify extra,verify -x|option '-x',"
        "analyze --json 0 0|empty,explain 0|empty,explain 1 x,"
        "review a \x1b[2Jb|not also '\\x1b[2Jb',fr\x1b[m|command 'fr\\x1b[m',"
        "move --\x9b|option '--\\x9b',score 1 \xe2\x80\xa8|row '\\xe2\\x80\\xa8' is not,"
        "play \xd8\x9c|position: '\\xd8\\x9c',"
        "play --start 3 4 5 --rows 3|--rows and --start,"
        "play --start 0 0|empty,play --start 14 1|row '14' does not fit");
    for (std::string mistake; std::getline(mistakes, mistake, ',');) {
        const std::string line = mistake.substr(0, mistake.find('|'));
        const auto result = Cli(line, "0 1\n");
        EXPECT_EQ(result.status, 2) << line;
        EXPECT_EQ(result.out, "") << line;
        EXPECT_TRUE(result.err.starts_with("torvel-cli: ") && Lines(result.err) == 1) << result.err;
        EXPECT_NE(result.err.find(mistake.substr(line.size() + (line != mistake))),
                  std::string::npos)
            << result.err;
        ExpectMarked(line, "0 1\n");
        EXPECT_TRUE(std::filesystem::is_empty(dir.path)) << line;
    }
    const auto nothing = Cli("");
    EXPECT_EQ(nothing.status, 2);
    EXPECT_TRUE(nothing.out.starts_with("Usage: torvel-cli COMMAND"));
    // In the pseudo-language every line, help, files' problems and a game alike, is marked.
    testsupport::WriteFile("bad.txt", "3\n0 1\n");
    std::istringstream runs(
        "play --rows 3 --save game.txt,review game.txt,verify,analyze 1 3 5,bench --repeat 1,"
        "--help,,verify --base /proc/self/mem,--base bad.txt verify,--base bad.txt move 1");
    for (std::string line; std::getline(runs, line, ',');) {
        ExpectMarked(line, "?\n0 1\n9 9\n\nx\n1 1\nq\n");
    }
}

// Every legal move once, scored by the independent solver, wins before losses, the quickest win
// and the slowest loss first and equals in the engine's order; the mark on the move `move` plays.
TEST(Cli, AnalyzeListsEveryMoveByAnotherSolversScoresAndMarksTheComputersMove) {
    testsupport::TempDir dir;
    cli::KeySolver solver;
    const Rows positions[] = {{1, 3, 5, 7},    {1, 1},       {0, 0, 2},          {1, 3, 5},
                              {1, 2, 0, 7, 4}, {1, 1, 4, 2}, {0, 3, 5, 6, 9, 11}};
    for (const Rows& rows : positions) {
        std::string at;
        std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>> ranked;  // rank, row, take, t
        for (int32_t r = 0; r < int32_t(rows.size()); ++r) {
            at += ' ' + std::to_string(rows[size_t(r)]);
            for (int32_t n = 1; n <= rows[size_t(r)]; ++n) {
                Rows child = rows;
                child[size_t(r)] -= n;
                const int32_t t = engine::MoveScore(solver.Score(counts(child)));
                ranked.emplace_back(t > 0 ? t : 1000 + t, r, n, t);
            }
        }
        std::sort(ranked.begin(), ranked.end());
        std::string expected;
        for (const auto& [rank, r, n, t] : ranked) {
            expected += std::to_string(r) + ' ' + std::to_string(n) +
                        (t > 0 ? " wins in " : " loses in ") + std::to_string(std::abs(t) - 1) +
                        (std::abs(t) == 2 ? " move" : " moves") +
                        (expected.empty() ? " *\n" : "\n");
        }
        EXPECT_EQ(Cli("analyze" + at).out, expected) << at;
        const std::string move = expected.substr(0, expected.find(' ', 2)) + '\n';
        EXPECT_EQ(Cli("move --base m" + at).out, move) << at;
    }
    EXPECT_EQ(ReadFile("torvelbase.txt"), ReadFile("m")) << "saved as move saves";
    for (const auto& [line, json] : std::vector<std::pair<std::string, std::string>>{
             {"--json move 1 3 5", R"({"rows":[1,3,5],"row":2,"take":3})"},
             {"score 0 2 --json", R"({"rows":[0,2],"score":3,"outcome":"wins","movesLeft":2})"},
             {"--no-base analyze --json 2",
              R"({"rows":[2],"score":3,"outcome":"wins","movesLeft":2,"moves":[{"row":0,"take":1,)"
              R"("score":3,"outcome":"wins","movesLeft":2,"chosen":true},{"row":0,"take":2,)"
              R"("score":-2,"outcome":"loses","movesLeft":1,"chosen":false}]})"}}) {
        EXPECT_EQ(Cli(line).out, json + "\n") << line;
    }
}

TEST(Cli, AGameThroughAPipeThenVerifyOnItsFileAndOnDamagedCopies) {
    testsupport::TempDir dir;
    std::string script = "hello\n";  // then a stick from the lowest row left: empty rows refused
    for (int i = 0; i < 16; ++i) {
        script += "0 1\n1 1\n2 1\n3 1\n";
    }
    const auto game = Cli("play", script);
    EXPECT_EQ(game.status, 0);
    EXPECT_NE(game.out.find("Your move: hello\nType the row and the number of sticks"),
              std::string::npos);
    EXPECT_TRUE(game.out.ends_with("\nYou lose, you took the last stick.\n")) << game.out;
    const auto first = Cli("play --no-base --rows 3 --computer-first --save c.txt");  // no input
    EXPECT_TRUE(first.status == 0 && first.out.ends_with('\n'));
    EXPECT_NE(ReadFile("c.txt").find("first computer\nstart 1 3 5\ncomputer 2 "),
              std::string::npos);
    // --save writes nothing before the first move, takes up a game in progress where it stopped,
    // and refuses, leaving it as it is, any file that holds no game or a damaged one.
    for (const char* input : {"q\n", "0 1", "hint"}) {  // the last line may have no line end
        const auto run = Cli("play --no-base --save g.txt", input);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.ends_with("\nThe game is kept in 'g.txt': torvel-cli play --save 'g.txt' "
                                    "takes it up again.\n"),
                  input[0] != 'q')
            << run.out;
        EXPECT_EQ(ReadFile("g.txt").empty(), input[0] == 'q');
        EXPECT_EQ(run.out.find("stopped.\n\n3: | | | | | | |\n2: | | | | |\n1: | |\n0:\n") !=
                      std::string::npos,
                  input[0] == 'h');
    }
    const std::string kept = ReadFile("g.txt");
    testsupport::WriteFile("notes.txt", "notes\n");
    testsupport::WriteFile("mine.txt", kept);  // made read-only: never replaced
    std::filesystem::permissions("mine.txt", std::filesystem::perms::owner_read);
    testsupport::WriteFile("bad.txt",
                           kept.substr(0, kept.find("\nhuman") + 1) + "human 0 2\nend\n");
    for (const std::string line : {"--rows 5 --save g.txt|disagrees with the game kept in 'g.txt'",
                                   "--save notes.txt|'notes.txt' holds no saved game",
                                   "--save mine.txt|'mine.txt' is read-only",
                                   "--save bad.txt|'bad.txt' is damaged: line 4: row 0 has only",
                                   "--start 3 4 5 --save g.txt|--start 3 4 5 disagrees with the "
                                   "game kept in 'g.txt', which starts from 1 3 5 7"}) {
        const auto refused = Cli("play --no-base " + line.substr(0, line.find('|')), "0 1\n");
        EXPECT_EQ(refused.status * 1000 + refused.out.size(), 2000u) << line;
        EXPECT_NE(refused.err.find(line.substr(line.find('|') + 1)), std::string::npos)
            << refused.err;
    }
    EXPECT_EQ(ReadFile("g.txt") + ReadFile("notes.txt") + ReadFile("mine.txt"),
              kept + "notes\n" + kept);
    // From any start that fits, the computer first: kept as version 2, and reviewed.
    EXPECT_NE(Cli("play --no-base --start 13 0 --computer-first --save s.txt", "hint\n0 1\n")
                  .out.find("0: | | | | | | | | | | | | |\n"),
              std::string::npos);
    EXPECT_EQ(ReadFile("s.txt"),
              "Torvel saved game, version 2\noptions rows 4 first computer\nstart 13 0\n"
              "computer 0 12\nhuman 0 1\nend\n");
    EXPECT_EQ(Cli("review --no-base s.txt").out,
              "1. computer takes 12 sticks from row 0: the quickest win, wins in 2 moves\n2. human "
              "takes 1 stick from row 0: holds out longest, loses in 1 move\nThe human took the "
              "last stick: the computer wins.\nThe human made no mistake. The computer made no "
              "mistake.\n");
    // In a working folder deeper than any path the system takes, the base file, even one still
    // to be made, is known by its folder and name.
    const std::string level(100, 'd');
    for (int i = 0; i < 45; ++i, std::filesystem::current_path(level)) {
        std::filesystem::create_directory(level);
    }
    const auto guarded = Cli("play --save torvelbase.txt", "0 1\n");
    EXPECT_NE(guarded.err.find("is the base file"), std::string::npos) << guarded.err;
    EXPECT_FALSE(std::filesystem::exists("torvelbase.txt"));
    for (int i = 0; i < 45; ++i, std::filesystem::remove_all(level)) {
        std::filesystem::current_path("..");
    }
    const std::string text = ReadFile("torvelbase.txt");
    EXPECT_EQ(Cli("verify").out,
              "torvelbase.txt: " + text.substr(0, text.find('\n')) + " keys, ok\n");
    std::string wrong = text;  // two rows of one stick, line 4, scored 1 rather than 3
    wrong.replace(wrong.find("\n1 2 3\n"), 7, "\n1 2 1\n");
    const std::pair<std::string, std::string> cases[] = {
        {wrong, "line 4: key 1 2 is stored with score 1, but its position scores 3"},
        {"2\n0 1\n3 0 0 1\n\n-4\n", "line 5: key 3 0 0 1 is stored with score -4, but"},
        {"2\n0 1\n1 8 9\n", "line 3: a key's position cannot arise"},
        {text.substr(0, text.size() / 2), "line "},
        {"", "line 1: the file ends before the key count"}};
    for (const auto& [content, report] : cases) {
        testsupport::WriteFile("other.txt", content);
        const auto run = Cli("verify --base other.txt");
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.out.starts_with("other.txt: " + report)) << run.out;
    }
    EXPECT_EQ(Cli("verify --base none").out, "none: cannot be read: no such file\n");
    EXPECT_EQ(Cli("verify --base .").out, ".: cannot be read: not a regular file\n");
    EXPECT_TRUE(cli::CheckBaseText("2 0\n1\r\n\n1 1\n-2").ok);
}

// A whole five-row game through the pipe, kept with --save, the human taking all of the lowest row
// every other time: at every position review and analyze give the plain model's best move and
// score, and review weighs the move played by the model's scores. (The window's hints hold play's
// and explain's to the model.)
TEST(Cli, HintReviewAndAnalyzeAgreeWithThePlainModelOnAWholeGame) {
    testsupport::TempDir dir;
    reference::Table model;
    engine::SavedGame saved{5, true, {{1, 3, 5, 7, 9}, {}}};
    Rows rows = saved.game.start;
    std::string script, json = R"({"start":[1,3,5,7,9],"moves":[)";
    size_t firstMistake = 0;  // the human's first move that is not the best, counted from 1
    const auto scored = [](engine::Move m, int32_t t) { return JsonMove(m) + ',' + JsonScore(t); };
    for (bool human = true; std::any_of(rows.begin(), rows.end(), [](int32_t s) { return s > 0; });
         human = !human) {
        const Rows scores = reference::MoveScores(model, rows, false);
        const auto [row, take] = reference::ChooseMove(model, rows);
        const engine::ScoredMove best{{row, take}, reference::Best(scores)};
        const auto lowest = std::find_if(rows.begin(), rows.end(), [](int32_t s) { return s > 0; });
        const engine::Move move = human && saved.game.moves.size() % 4 == 2
                                      ? engine::Move{int32_t(lowest - rows.begin()), *lowest}
                                      : best.move;
        const int32_t t =
            scores[size_t(std::accumulate(rows.begin(), rows.begin() + move.row, move.number - 1))];
        const char* verdict = t == best.score  ? "best"
                              : best.score < 0 ? "quickerLoss"
                              : t > 0          ? "slowerWin"
                                               : "winGivenAway";
        std::string at;
        for (int32_t sticks : rows) {
            at += ' ' + std::to_string(sticks);
        }
        EXPECT_TRUE(Cli("analyze --json" + at)
                        .out.starts_with(R"({"rows":)" + JsonArray(rows) + ',' +
                                         JsonScore(best.score) + R"(,"moves":[{)" +
                                         scored(best.move, best.score)))
            << at;
        if (human) {
            script += std::to_string(move.row) + ' ' + std::to_string(move.number) + '\n';
            firstMistake =
                firstMistake || t == best.score ? firstMistake : saved.game.moves.size() + 1;
        }
        json += std::string(saved.game.moves.empty() ? "" : ",") + R"({"player":")" +
                (human ? "human" : "computer") + R"(","rows":)" + JsonArray(rows) + ',' +
                scored(move, t) + R"(,"verdict":")" + verdict + R"(","best":{)" +
                scored(best.move, best.score) + "}";
        saved.game.moves.push_back(
            {human ? engine::Player::Human : engine::Player::Computer, move});
        rows[size_t(move.row)] -= move.number;
        if (verdict == std::string("winGivenAway") &&
            std::accumulate(rows.begin(), rows.end(), 0)) {
            const auto [row2, take2] = reference::ChooseMove(model, rows);  // it is played next
            json +=
                R"(,"refutation":{)" +
                scored({row2, take2}, reference::Best(reference::MoveScores(model, rows, false))) +
                R"(,"played":true})";
        }
        json += "}";
    }
    const bool humanLost = saved.game.moves.back().player == engine::Player::Human;
    json += R"(],"rows":[0,0,0,0,0],"winner":")" + std::string(humanLost ? "computer" : "human") +
            R"(","toMove":null,"firstMistakes":{"human":)" +
            (firstMistake ? std::to_string(firstMistake) : "null") + R"(,"computer":null}})" + '\n';
    EXPECT_EQ(Cli("play --rows 5 --save g.txt", script).status, 0);
    EXPECT_EQ(ReadFile("g.txt"), engine::SavedGameText(saved));
    EXPECT_EQ(Cli("review --json g.txt").out, json);
    EXPECT_EQ(Lines(Cli("review g.txt").out), saved.game.moves.size() + 2);
    testsupport::WriteFile("seven.txt",
                           "Torvel saved game, version 1\noptions rows 7 first human\n"
                           "start 1 3 5 7 9 11 13\nhuman 5 7\nend\n");
    EXPECT_EQ(
        Cli("review seven.txt").out,
        "1. human takes 7 sticks from row 5: wins in 42 moves instead of 38 (taking 11 sticks "
        "from row 6 wins sooner)\nThe game goes on from 1 3 5 7 9 4 13, the computer to move.\n"
        "The human's first mistake was move 1, which made a won game longer. The computer made no "
        "mistake.\n");
    testsupport::WriteFile("four.txt",
                           "Torvel saved game, version 1\noptions rows 4 first computer\n"
                           "start 1 3 5 7\ncomputer 0 1\nhuman 3 7\ncomputer 1 1\nend\n");
    const std::string four = Cli("review four.txt").out;
    EXPECT_NE(four.find("wins in 14 moves); the computer's best reply was to take 2 sticks from "
                        "row 2, but it took 1 stick from row 1\n"),
              std::string::npos)
        << four;
    EXPECT_TRUE(four.ends_with(
        "wins in 6 moves); the human's best reply is to take 3 sticks from row 2\nThe game goes "
        "on from 0 2 5 0, the human to move.\nThe human's first mistake was move 2, which gave a "
        "won game away. The computer's first mistake was move 3, which gave a won game away.\n"))
        << four;
    testsupport::WriteFile("notes.txt", "notes\n");
    testsupport::WriteFile("bad.txt", ReadFile("g.txt").replace(78, 1, "0"));  // human 0 9
    for (const auto& [file, says] : {std::pair{"notes.txt", "holds no saved game (its first line"},
                                     {"bad.txt", "is damaged: line 4: row 0 has only 1 stick\n"}}) {
        const auto review = Cli(std::string("review ") + file);
        EXPECT_EQ(review.status * 1000 + review.out.size(), 2000u) << file;
        EXPECT_TRUE(review.err.starts_with("torvel-cli: '" + std::string(file) + "' " + says))
            << review.err;
    }
    // A game the human won, named so; once over, it gives way to the next at its first move.
    testsupport::WriteFile("won.txt",
                           "Torvel saved game, version 1\noptions rows 3 first human\n"
                           "start 1 3 5\nhuman 1 3\ncomputer 2 4\nhuman 2 1\n"
                           "computer 0 1\nend\n");
    EXPECT_NE(
        Cli("review won.txt").out.find("\nThe computer took the last stick: the human wins.\n"),
        std::string::npos);
    EXPECT_EQ(Cli("play --no-base --rows 3 --save won.txt", "0 1\n").status, 0);
    EXPECT_NE(ReadFile("won.txt").find("start 1 3 5\nhuman 0 1\ncomputer"), std::string::npos);
}

TEST(TerminalGame, WhatATypedLineMeans) {
    engine::GameEngine game(true);
    game.SetRows({0, 3, 1, 7});
    const cli::HumanInput move = cli::ReadHumanInput("  3\t7 \r", game);
    EXPECT_EQ(move.kind, cli::HumanInput::Kind::Move);
    EXPECT_EQ(move.move, (engine::Move{3, 7}));
    EXPECT_EQ(cli::ReadHumanInput(" quit", game).kind, cli::HumanInput::Kind::Quit);
    EXPECT_EQ(cli::ReadHumanInput("q", game).kind, cli::HumanInput::Kind::Quit);
    const std::pair<const char*, const char*> problems[] = {
        {"",
         "Type the row and the number of sticks as two numbers, for example 3 2, or q to quit."},
        {"3 2 1", "Type the row"},
        {"3x 2", "Type the row"},
        {"+3 -", "Type the row"},
        {"q 1", "Type the row"},
        {"4 1", "There is no row 4: the rows are 0 to 3."},
        {"-1 1", "There is no row -1: the rows are 0 to 3."},
        {"99999999999999999999 1", "There is no row 99999999999999999999"},
        {"1 0", "Take at least one stick."},
        {"1 -2", "Take at least one stick."},
        {"1 4", "Row 1 has only 3 sticks."},
        {"2 2", "Row 2 has only 1 stick."},
        {"0 1", "Row 0 is empty."},
        {"+3 99999999999999999999", "Row 3 has only 7 sticks."}};
    for (const auto& [line, problem] : problems) {
        const cli::HumanInput input = cli::ReadHumanInput(line, game);
        EXPECT_EQ(input.kind, cli::HumanInput::Kind::Invalid) << line;
        EXPECT_TRUE(input.problem.starts_with(problem)) << line << ": " << input.problem;
    }
}

// The player gives each line when the game reads it, knowing the board; "" ends the input.
using Player = std::function<std::string(const Rows&)>;
class PlayerInput : public std::streambuf {
  public:
    PlayerInput(Player p, const engine::GameEngine& g) : player(std::move(p)), game(g) {}

  protected:
    int_type underflow() override {
        buffer = player(game.GetRows());
        setg(buffer.data(), buffer.data(), buffer.data() + buffer.size());
        return buffer.empty() ? traits_type::eof() : traits_type::to_int_type(buffer[0]);
    }

  private:
    Player player;
    const engine::GameEngine& game;
    std::string buffer;
};

std::string Play(cli::PlaySettings settings, const Player& player) {
    engine::GameEngine game(std::make_shared<table::PositionTable>(""));
    PlayerInput source(player, game);
    std::istream in(&source);
    std::ostringstream out;
    settings.echoInput = true;
    const cli::TerminalGame::End end = cli::TerminalGame(game, in, out, settings).Play();
    const char* ends[] = {"won", "lost", "stopped"};
    return out.str() + ends[int(end)];
}

TEST(TerminalGame, TheBoardTheMessagesAndWhoWins) {
    std::vector<std::string> typed = {
        "why", "x", "9 9", std::string(300, '1'), "\x1b[2J\xc2\x9b\xe2\x80\xae 1", "2 5", ""};
    const std::string out = Play({.rows = 3}, [&typed](const Rows&) {
        const std::string line = typed.front();
        typed.erase(typed.begin());
        return line.empty() ? line : line + "\n";
    });
    EXPECT_TRUE(out.starts_with(
        "Take one or more sticks from a single row; whoever takes the last stick loses.\n"
        "Rows are counted from 0, the row that starts with one stick. Type your move as\n"
        "the row and the number of sticks (\"3 2\" takes 2 sticks from row 3), hint (or ?)\n"
        "for a hint, why after it for the reason behind it, or q to quit.\n\n"
        "2: | | | | |\n1: | | |\n0: |\n\nYour move: why\nAsk for a hint first (hint or ?), "
        "then why.\nYour move: x\nType the row"))
        << out;
    EXPECT_NE(out.find("Your move: 9 9\nThere is no row 9"), std::string::npos);
    EXPECT_NE(out.find("Your move: " + std::string(200, '1') + "...\nType"), std::string::npos);
    EXPECT_NE(out.find("Your move: \\x1b[2J\\xc2\\x9b\\xe2\\x80\\xae 1\nType"), std::string::npos)
        << "no control characters";
    EXPECT_TRUE(
        out.ends_with("Your move: 2 5\n\n2:\n1: | | |\n0: |\n\nThe computer is thinking.\n"
                      "The computer took 3 sticks from row 1\n\n2:\n1:\n0: |\n\n"
                      "Your move: \nstopped"))
        << out;
    // 1, 3, 5 and 1, 3, 5, 7, 9 are won by the player to move, 1, 3, 5, 7 is lost; the human
    // plays the computer's own choice, or one stick from the lowest row.
    const Player best = [](const Rows& rows) {
        engine::GameEngine e(std::make_shared<table::PositionTable>(""));
        e.SetRows(rows);
        const engine::Move m = e.ChooseMove();
        return std::to_string(m.row) + ' ' + std::to_string(m.number) + '\n';
    };
    const Player lowest = [](const Rows& rows) {
        const auto row = std::find_if(rows.begin(), rows.end(), [](int32_t s) { return s > 0; });
        return std::to_string(row - rows.begin()) + " 1\n";
    };
    const char kWon[] = "\nYou win, the computer took the last stick.\nwon";
    const char kLost[] = "\nYou lose, you took the last stick.\nlost";
    EXPECT_TRUE(Play({.rows = 3}, best).ends_with(kWon));
    EXPECT_TRUE(Play({.rows = 4, .computerFirst = true}, best).ends_with(kWon));
    EXPECT_TRUE(Play({.rows = 5}, best).ends_with(kWon));
    EXPECT_TRUE(Play({.rows = 4}, best).ends_with(kLost));
    EXPECT_TRUE(Play({.rows = 3, .computerFirst = true}, lowest).ends_with(kLost));
}

TEST(KeySolver, ScoresTheSevenRowGameAndKnowsWhatAGameCanReach) {
    cli::KeySolver solver;
    EXPECT_EQ(solver.Score(counts({1, 3, 5, 7, 9, 11, 13})), 39);
    EXPECT_EQ(solver.PositionsScored(), 21318u) << "every position of the seven-row game";
    for (const auto& [rows, reachable] :
         std::vector<std::pair<Rows, bool>>{{{13, 11}, true},
                                            {{1, 1, 1, 1, 1, 1, 1}, true},
                                            {{14}, false},
                                            {{13, 13}, false},
                                            {{2, 3, 5, 7, 9, 11, 13}, false},
                                            {{1, 1, 1, 1, 1, 1, 1, 1}, false},
                                            {{12, 12, 3}, false},
                                            {{8, 8, 8, 8}, false}}) {
        EXPECT_EQ(cli::KeySolver::Reachable(counts(rows)), reachable)
            << testing::PrintToString(rows);
        EXPECT_EQ(solver.Score(counts(rows)) != 0, reachable);
    }
}

}  // namespace
