#include "app/ZepaApplication.h"
#include "base/UiLanguage.h"
#include "cli/CommandLine.h"

int main(int argc, char *argv[])
{
    const UiLanguages::LanguageOption language = UiLanguages::takeLanguageOption(argc, argv);
    return isCommandLine(argc, argv) ? runCommandLine(argc, argv, language) : runWindows(argc, argv, language);
}
