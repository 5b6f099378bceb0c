#include "text/translation.h"

#include <libintl.h>
#include <unistd.h>

#include <clocale>

namespace text {

namespace {

// ../share/locale from the folder of the running program: BUILD/share/locale for the programs
// and tests of a build tree, PREFIX/share/locale once installed. Empty when the program's own
// path cannot be read, and gettext then looks where the C library was told to.
std::string CatalogueFolder() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size()) {
        return {};
    }
    path.resize(static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1) + "../share/locale";
}

int sourceTexts = 0;  // SourceTexts alive

}  // namespace

SourceTexts::SourceTexts() {
    ++sourceTexts;
}

SourceTexts::~SourceTexts() {
    --sourceTexts;
}

void StartTranslation() {
    std::setlocale(LC_MESSAGES, "");
    std::setlocale(LC_CTYPE, "");
    if (const std::string folder = CatalogueFolder(); !folder.empty()) {
        ::bindtextdomain(kTextDomain, folder.c_str());
    }
    ::bind_textdomain_codeset(kTextDomain, "UTF-8");
    // The default domain too, for the framework's texts, which know no domain of their own.
    ::textdomain(kTextDomain);
}

std::string CatalogueLanguage() {
    // The catalogue's header is what gettext gives for an empty text: asked here only, and only
    // for the language it names.
    const std::string header = ::dgettext(kTextDomain, "");
    const std::string field = "Language: ";
    const size_t at = header.starts_with(field) ? 0 : header.find('\n' + field);
    if (at == std::string::npos) {
        return {};
    }
    const size_t start = header.find(field, at) + field.size();
    return header.substr(start, header.find('\n', start) - start);
}

const char* Tr(const char* text) {
    return text == nullptr || *text == '\0' ? ""
           : sourceTexts > 0                ? text
                                            : ::dgettext(kTextDomain, text);
}

const char* TrN(const char* singular, const char* plural, int64_t count) {
    const auto n = static_cast<unsigned long>(count < 0 ? -count : count);
    if (*singular == '\0' || *plural == '\0' || sourceTexts > 0) {
        return n == 1 ? singular : plural;
    }
    return ::dngettext(kTextDomain, singular, plural, n);
}

std::string Fill(std::string_view pattern, std::initializer_list<FillArg> args) {
    std::string text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const size_t index = next >= '1' && next <= '9' ? static_cast<size_t>(next - '1') : 9;
        if (pattern[i] == '%' && index < args.size()) {
            text += args.begin()[index].text;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string Sentences(const std::vector<std::string>& sentences) {
    std::string text;
    for (const std::string& sentence : sentences) {
        // Translators: two sentences, one after the other: a space between them, or none where
        // the language writes none.
        text = text.empty() ? sentence : Fill(Tr("%1 %2"), {text, sentence});
    }
    return text;
}

}  // namespace text
