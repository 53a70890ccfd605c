#include "base/SystemReasons.h"

#include <cerrno>
#include <cstring>

QString systemReasonText(int error, FileAccess access)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return access == FileAccess::Read ? QStringLiteral("読む権限がありません。")
                                          : QStringLiteral("書き込む権限がありません。");
    case EISDIR:
        return QStringLiteral("ファイルではなくフォルダです。");
    case EROFS:
        return QStringLiteral("読み取り専用のディスクです。");
    case ENOSPC:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の上限（クォータ）を超えました。");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます。");
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダがありません。");
    case EIO:
        return QStringLiteral("ディスクの読み書きでエラーが起きました。");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイルの名前または場所が長すぎます。");
    case ENOTDIR:
        return QStringLiteral("フォルダではないものがフォルダの場所にあります。");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}
