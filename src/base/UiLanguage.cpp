#include "base/UiLanguage.h"

#include <cstring>
#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace UiLanguages {
namespace {

const QString ChoiceSetting = QStringLiteral("language");

UiLanguage installed = UiLanguage::Japanese;
QTranslator *programTexts = nullptr;
QTranslator *toolkitTexts = nullptr;

void replace(QTranslator *&slot, const QString &name, const QString &folder)
{
    if (slot) {
        QCoreApplication::removeTranslator(slot);
        delete slot;
        slot = nullptr;
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
        slot = translator.release();
}

} // namespace

UiLanguage forLocale(const QString &localeName)
{
    return localeName.startsWith(QLatin1String("ja")) ? UiLanguage::Japanese : UiLanguage::English;
}

std::optional<UiLanguage> named(const QString &code)
{
    if (code == QLatin1String("ja"))
        return UiLanguage::Japanese;
    if (code == QLatin1String("en"))
        return UiLanguage::English;
    return std::nullopt;
}

QString savedChoice()
{
    const QString saved = QSettings().value(ChoiceSetting).toString();
    return named(saved) ? saved : QString();
}

void saveChoice(const QString &code)
{
    if (named(code))
        QSettings().setValue(ChoiceSetting, code);
    else
        QSettings().remove(ChoiceSetting);
}

UiLanguage chosen(const std::optional<UiLanguage> &fromOption, const QString &saved, const QString &localeName)
{
    if (fromOption)
        return *fromOption;
    if (const std::optional<UiLanguage> setting = named(saved))
        return *setting;
    return forLocale(localeName);
}

UiLanguage chosen(const std::optional<UiLanguage> &fromOption)
{
    return chosen(fromOption, savedChoice(), QLocale::system().name());
}

LanguageOption takeLanguageOption(int &argc, char *argv[])
{
    LanguageOption option;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        int taken = 0;
        if (std::strcmp(argv[i], "--lang") == 0) {
            option.value = i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString();
            taken = i + 1 < argc ? 2 : 1;
        } else if (std::strncmp(argv[i], "--lang=", 7) == 0) {
            option.value = QString::fromLocal8Bit(argv[i] + 7);
            taken = 1;
        } else {
            continue;
        }
        option.given = true;
        option.language = named(option.value);
        option.ok = option.language.has_value();
        for (int j = i; j + taken <= argc; ++j)
            argv[j] = argv[j + taken]; // argv[argc] is the null pointer, moved along
        argc -= taken;
        --i;
    }
    return option;
}

void install(UiLanguage language)
{
    installed = language;
    const QString toolkitFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == UiLanguage::English) {
        replace(programTexts, QStringLiteral(":/i18n/zepa_en.qm"), QString());
        // Qt's own texts are English already.
        replace(toolkitTexts, QString(), QString());
    } else {
        replace(programTexts, QString(), QString());
        replace(toolkitTexts, QStringLiteral("qtbase_ja"), toolkitFolder);
    }
}

UiLanguage language()
{
    return installed;
}

QString translated(UiLanguage language, const char *context, const char *source)
{
    if (language == UiLanguage::English) {
        QTranslator english;
        if (english.load(QStringLiteral(":/i18n/zepa_en.qm"))) {
            const QString text = english.translate(context, source);
            if (!text.isEmpty())
                return text;
        }
    }
    return QString::fromUtf8(source);
}

} // namespace UiLanguages
