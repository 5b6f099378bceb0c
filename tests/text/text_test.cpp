// What a person reads: the catalogue gettext chooses and its plurals, placeholders filled once,
// and names escaped so that no byte of them acts on what shows them.
#include <gtest/gtest.h>

#include <clocale>
#include <iterator>
#include <random>

#include "engine/turn_texts.h"
#include "support/language.h"
#include "text/columns.h"
#include "text/escaped_name.h"
#include "text/translation.h"
#include "text/utf8.h"

namespace {

// The turn's texts in the language gettext chooses, else the English of the source, numbers put
// into whole sentences.
TEST(Translation, PluralsAndPlaceholdersInTheLanguageGettextChooses) {
    // LANGUAGE, the catalogue gettext then reads, the computer's moves of 1 and of 2 sticks
    const std::tuple<const char*, const char*, const char*, const char*> languages[] = {
        {"", "", "The computer took 1 sticks from row 0", "The computer took 2 sticks from row 3"},
        {"de", "de", "Der Computer hat 1 Hölzchen aus Reihe 0 genommen",
         "Der Computer hat 2 Hölzchen aus Reihe 3 genommen"},
        {"sv:fr_CA:de", "fr", "L'ordinateur a pris 1 allumette de la rangée 0",
         "L'ordinateur a pris 2 allumettes de la rangée 3"}};
    for (const auto& [language, catalogue, one, two] : languages) {
        testsupport::Speak(language);
        EXPECT_EQ(text::CatalogueLanguage(), catalogue);
        EXPECT_EQ(engine::ComputerTookText({0, 1}), one);
        EXPECT_EQ(engine::ComputerTookText({3, 2}), two);
        EXPECT_STREQ(text::Tr(""), "") << "never the catalogue's header";
        EXPECT_STREQ(text::TrN("", "sticks", 1), "");
    }
    // Each language's own plural rule: three forms in Polish and Russian, one in Japanese.
    const std::pair<const char*, std::string> counted[] = {
        {"pl",
         "1 patyczek|2 patyczki|5 patyczków|12 patyczków|14 patyczków|22 patyczki|"
         "25 patyczków|112 patyczków|"},
        {"ru",
         "1 палочка|2 палочки|5 палочек|12 палочек|14 палочек|22 палочки|25 палочек|"
         "112 палочек|"},
        {"ja", "1本|2本|5本|12本|14本|22本|25本|112本|"}};
    for (const auto& [language, forms] : counted) {
        testsupport::Speak(language);
        std::string said;
        for (const int32_t n : {1, 2, 5, 12, 14, 22, 25, 112}) {
            said += engine::SticksText(n) + '|';
        }
        EXPECT_EQ(said, forms) << language;
    }
    ::setenv("LC_ALL", "POSIX", 1);  // LANGUAGE is not heard in the C or POSIX locale
    testsupport::Speak("de");
    EXPECT_EQ(engine::ComputerTookText({0, 1}), "The computer took 1 sticks from row 0");
    ::setenv("LC_ALL", "C.UTF-8", 1);
    testsupport::Speak("");
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C") << "numbers keep the C locale's point";
    // Filled in one pass: what an argument holds is never read as a placeholder.
    const std::pair<const char*, const char*> patterns[] = {
        {"%2 %1%", "b%1 a%1%"}, {"%3 %10 %%1", "%3 a%10 %a%1"}, {"%0%9", "%0%9"}};
    for (const auto& [pattern, filled] : patterns) {
        EXPECT_EQ(text::Fill(pattern, {"a%1", "b%1"}), filled);
    }
    EXPECT_EQ(text::Fill("%9%1", {1, 2, 3, 4, 5, 6, 7, 8, 9}), "91");
}

TEST(Text, EscapedNamesShowEveryByteAndActOnNothing) {
    EXPECT_EQ(
        text::EscapedName("a\\\t\x7f\xc2\x85\xe2\x80\x8e\xe2\x81\xa9\xe2\x80\x8f\x80\xe2\x80"
                          "\xf4\x90\x80\x80\xc2\xa0\xc3\xa4\xe2\x80\xaf\xf0\x9f\x8e\xb2"
                          "\xe2\x80\xa7\xe2\x80\xa8\xd8\x9b\xd8\x9c\xe2\x80\xa9\xe2\x80\xaaz"),
        "a\\\\\\x09\\x7f\\xc2\\x85\\xe2\\x80\\x8e\\xe2\\x81\\xa9\\xe2\\x80\\x8f\\x80\\xe2"
        "\\x80\\xf4\\x90\\x80\\x80\xc2\xa0\xc3\xa4\xe2\x80\xaf\xf0\x9f\x8e\xb2\xe2\x80\xa7"
        "\\xe2\\x80\\xa8\xd8\x9b\\xd8\\x9c\\xe2\\x80\\xa9\\xe2\\x80\\xaaz");
}

// A terminal's lines: a character takes the columns it takes on the screen (kana and Han two,
// a combining mark none), and a line breaks at spaces or, in Japanese and Chinese, between
// characters, never before a closing mark, after an opening one, or inside a number. Random texts
// of every script come back whole from their lines, each within the width unless one word is wider.
TEST(Text, LinesBreakToTheTerminalInEveryScript) {
    EXPECT_EQ(text::Columns("a\xc3\xa4\xe6\x97\xa5\xe6\x9c\xac\xcc\x81\xef\xbd\xb1\xff"
                            "\xef\xb8\x90\xf0\x9f\x99\x90"),  // wide U+FE10, narrow U+1F650
              11u);
    EXPECT_EQ(text::NarrowForms("\xef\xbc\x93\xe3\x80\x80\xef\xbc\x92\xef\xbd\x91"), "3 2q");
    const std::string kana = "\xe3\x81\x82", stop = "\xe3\x80\x82", open = "\xe3\x80\x8c";
    std::string forty;
    for (int i = 0; i < 40; ++i) {
        forty += kana;
    }
    EXPECT_EQ(text::Wrapped(forty + forty, 80), forty + "\n" + forty) << "40 to a line of 80";
    EXPECT_EQ(text::Wrapped(forty + stop, 80).find("\n" + stop), std::string::npos);
    EXPECT_EQ(text::Wrapped(forty.substr(3) + open + kana, 80).find(open + "\n"),
              std::string::npos);
    const std::string pieces[] = {"word",
                                  "a",
                                  "longerwords",
                                  "12",
                                  "345",
                                  kana,
                                  stop,
                                  open,
                                  "\xe6\x97\xa5\xe6\x9c\xac",
                                  "\xd1\x80\xd1\x8f\xd0\xb4",
                                  ",",
                                  " "};
    std::mt19937 random(33);
    for (int round = 0; round < 300; ++round) {
        std::string line;
        for (size_t n = random() % 40; n > 0; --n) {
            line += pieces[random() % std::size(pieces)];
        }
        const size_t width = 8 + random() % 30;
        const std::string wrapped = text::Wrapped(line, width, 2);
        std::string whole, rest = wrapped + "\n";
        for (size_t at; (at = rest.find('\n')) != std::string::npos; rest.erase(0, at + 1)) {
            const std::string one = rest.substr(0, at);
            // Too wide only where no space could part it: none but before a closing mark.
            const auto parts = [](const std::string& tail) {
                const std::string next =
                    tail.substr(std::min(tail.find_first_not_of(' '), tail.size()));
                return tail.starts_with(' ') && !next.starts_with(',') &&
                       !next.starts_with("\xe3\x80");
            };
            bool parted = false;
            for (size_t i = 3; i < one.size() && !parted; ++i) {
                parted = one[i - 1] != ' ' && parts(one.substr(i));
            }
            EXPECT_TRUE(text::Columns(one) <= width || !parted) << wrapped;
            EXPECT_FALSE(one.starts_with("  " + stop) || one.starts_with("  ,")) << wrapped;
            whole += whole.empty() ? one : one.substr(2);
        }
        std::erase(line, ' ');
        std::erase(whole, ' ');
        EXPECT_EQ(whole, line);
    }
}

}  // namespace
