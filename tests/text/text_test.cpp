// What a person reads: the catalogue gettext chooses and its plurals, placeholders filled once,
// and names escaped so that no byte of them acts on what shows them.
#include <gtest/gtest.h>

#include <clocale>

#include "engine/turn_texts.h"
#include "support/language.h"
#include "text/escaped_name.h"
#include "text/translation.h"

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

}  // namespace
