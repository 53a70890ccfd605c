#include "cli/Command.h"

bool Command::takes(const QString &option) const
{
    for (const QCommandLineOption &owned : options()) {
        if (owned.names().contains(option))
            return true;
    }
    return false;
}

bool Command::writes() const
{
    return takes(QStringLiteral("force"));
}
