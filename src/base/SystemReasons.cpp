#include "base/SystemReasons.h"

#include <cerrno>
#include <cstring>

#include <QCoreApplication>

QString systemReasonText(int error, FileAccess access)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return access == FileAccess::Read ? QCoreApplication::translate("SystemReasons", "読む権限がありません。")
                                          : QCoreApplication::translate("SystemReasons", "書き込む権限がありません。");
    case EISDIR:
        return QCoreApplication::translate("SystemReasons", "ファイルではなくフォルダです。");
    case EROFS:
        return QCoreApplication::translate("SystemReasons", "読み取り専用のディスクです。");
    case ENOSPC:
        return QCoreApplication::translate("SystemReasons", "ディスクの空き容量が足りません。");
    case EDQUOT:
        return QCoreApplication::translate("SystemReasons", "ディスクの使用量の上限（クォータ）を超えました。");
    case EFBIG:
        return QCoreApplication::translate("SystemReasons", "ファイルが大きすぎます。");
    case ENOENT:
        return QCoreApplication::translate("SystemReasons", "ファイルまたはフォルダがありません。");
    case EIO:
        return QCoreApplication::translate("SystemReasons", "ディスクの読み書きでエラーが起きました。");
    case EMFILE:
    case ENFILE:
        return QCoreApplication::translate("SystemReasons", "開いているファイルが多すぎます。");
    case ENAMETOOLONG:
        return QCoreApplication::translate("SystemReasons", "ファイルの名前または場所が長すぎます。");
    case ENOTDIR:
        return QCoreApplication::translate("SystemReasons", "フォルダではないものがフォルダの場所にあります。");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}
