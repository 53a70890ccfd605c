#include "base/MenuText.h"

#include <QRegularExpression>

QString plainMenuText(const QString &text)
{
    static const QRegularExpression marks(QStringLiteral("\\s*\\(&.\\)|&(?=.)|\\.\\.\\.$|…$"));
    QString plain = text;
    plain.remove(marks);
    return plain.trimmed();
}
