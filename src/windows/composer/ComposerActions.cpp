#include "windows/composer/ComposerActions.h"

#include <QCoreApplication>

QString composerMenuTitle(ComposerMenu menu)
{
    switch (menu) {
    case ComposerMenu::File:
        return QCoreApplication::translate("ComposerActions", "ファイル(&F)");
    case ComposerMenu::Bricks:
        return QCoreApplication::translate("ComposerActions", "ほかのブロック用に書き出す(&B)");
    case ComposerMenu::Edit:
        return QCoreApplication::translate("ComposerActions", "編集(&E)");
    case ComposerMenu::Play:
        return QCoreApplication::translate("ComposerActions", "再生(&P)");
    case ComposerMenu::Help:
        return QCoreApplication::translate("ComposerActions", "ヘルプ(&H)");
    }
    return {};
}

QString exportCommand(const QString &outputId)
{
    return QStringLiteral("export.") + outputId;
}
