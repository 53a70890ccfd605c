#pragma once

class QCoreApplication;

// The windows speak Japanese whatever the system's language, so the toolkit's
// own texts (the buttons of file and input dialogs, "OK", "キャンセル", …) are
// Japanese too: Qt's Japanese translation is loaded when it is installed
// (Debian package qt6-translations-l10n).
namespace AppTranslations {
void install(QCoreApplication &application);
}
