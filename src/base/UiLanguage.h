#pragma once

#include <optional>

#include <QString>

class QCoreApplication;

// The language of every text the user reads: the windows, the boxes, the
// command line's messages and the user's guide. Japanese is the language the
// texts are written in; English is a translation kept in translations/. The
// files ZEPA writes never depend on it.
enum class UiLanguage { Japanese, English };

namespace UiLanguages {

// The language a locale name asks for: "ja", "ja_JP.UTF-8" … Japanese,
// anything else ("C", "en_GB", "de_DE") English.
UiLanguage forLocale(const QString &localeName);
// "ja" or "en", as --lang and the setting spell them; nothing for another word.
std::optional<UiLanguage> named(const QString &code);

// The setting 「表示言語」: "ja", "en", or empty to follow the system.
QString savedChoice();
void saveChoice(const QString &code);

// What the program speaks: --lang's language, else the saved choice, else the
// system's locale.
UiLanguage chosen(const std::optional<UiLanguage> &fromOption);
// The same of a given setting ("ja", "en", other words none) and locale.
UiLanguage chosen(const std::optional<UiLanguage> &fromOption, const QString &saved, const QString &localeName);

// Takes "--lang CODE" or "--lang=CODE" out of the arguments, so the rest of
// the start sees the arguments without it. ok is false when the word after it
// is no language (the value is then that word).
struct LanguageOption {
    bool given = false;
    bool ok = true;
    QString value;
    std::optional<UiLanguage> language;
};
LanguageOption takeLanguageOption(int &argc, char *argv[]);

// Installs the translation of the program's texts and of Qt's own (the
// buttons of file dialogs, "OK", …) for the language, replacing what an
// earlier call installed; language() then tells it.
void install(UiLanguage language);
UiLanguage language();
// A text in the given language, whichever is installed.
QString translated(UiLanguage language, const char *context, const char *source);

} // namespace UiLanguages
