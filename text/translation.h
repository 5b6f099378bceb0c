// The program's texts in the user's language, for the window, torvel-cli and the engine alike.
//
// Every text a person reads is written in English where it is used and looked up at run time
// in the catalogue of the text domain "torvel", through GNU gettext in the C library. gettext
// chooses the language by its own rules: LANGUAGE, then LC_ALL, LC_MESSAGES and LANG, with
// LANGUAGE heard only when the locale is not C or POSIX (LANG=C.UTF-8 LANGUAGE=de gives German
// with no generated locale). A language without a catalogue, C, POSIX or nothing at all gives
// the English of the source, byte for byte, quirks included.
//
// How to write a text:
// - Tr("Ready") looks a text up where it is used. A text kept in a constant table is marked
//   with TrNoop("...") and looked up with Tr(pointer) where it is shown; the window's menus,
//   prompts and dialogs are looked up so by the framework, whose Qt code uses framework::Tr.
// - TrN("%1 stick", "%1 sticks", n) gives the form for n by the language's own rule. English
//   keeps its wording by giving the same text twice where it says "1 sticks".
// - Numbers and words go into a whole sentence at numbered places, %1 to %9, after the lookup:
//   Fill(Tr("Row %1: %2 sticks"), {row, count}). A translator may move them about; never glue
//   fragments, since other languages order a sentence otherwise.
// - A comment starting with "Translators:" just before the call goes into the catalogue.
// - Machine-read output (--json, the bench signature), the words of the files and the words
//   that `play` reads stay English and are never marked.
//
// Catalogues: po/LANG.po, compiled by msgfmt with the build into BUILD/share/locale and
// installed to PREFIX/share/locale. A program finds them from its own folder as
// ../share/locale, so the build tree and an installed copy need no setting. The target
// `update-po` refreshes po/torvel.pot from the sources and merges it into every .po file.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace text {

inline constexpr const char* kTextDomain = "torvel";

// Takes the language for messages and for characters from the environment (never LC_ALL: the
// decimal point and the system's own texts stay as they were) and opens the catalogues, read
// as UTF-8. Called first thing by every program.
void StartTranslation();

// The language of the catalogue gettext reads, as the catalogue names it ("de", "fr"), or
// empty when the texts stay English.
std::string CatalogueLanguage();

// The text in the user's language; an empty text stays empty.
const char* Tr(const char* text);
// The form of the text for `count`: `singular` or `plural` in English.
const char* TrN(const char* singular, const char* plural, int64_t count);
// Marks a text for the catalogue without looking it up.
constexpr const char* TrNoop(const char* text) {
    return text;
}

// While one lives, Tr and TrN give the texts as the source writes them: machine-read output
// (--json) that carries sentences stays English in every language.
class SourceTexts {
  public:
    SourceTexts();
    ~SourceTexts();
    SourceTexts(const SourceTexts&) = delete;
    SourceTexts& operator=(const SourceTexts&) = delete;
};

// A word or a number for a placeholder; numbers as plain decimal digits.
struct FillArg {
    FillArg(std::string_view word) : text(word) {}
    FillArg(const char* word) : text(word) {}
    FillArg(const std::string& word) : text(word) {}
    template <std::integral Number>
    FillArg(Number number) : text(std::to_string(number)) {}
    std::string text;
};

// The pattern with %1 to %9 replaced by the arguments, in one pass: what an argument holds is
// never read as a placeholder. A placeholder with no argument stays as it is.
std::string Fill(std::string_view pattern, std::initializer_list<FillArg> args);

// Sentences one after another, as the language writes them: a space between them in English,
// none in Japanese or Chinese.
std::string Sentences(const std::vector<std::string>& sentences);

}  // namespace text
