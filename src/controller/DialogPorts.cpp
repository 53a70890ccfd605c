#include "controller/DialogPorts.h"

#include <cmath>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("DialogPorts", text);
}

QString SendTitle()
{
    return words(QT_TRANSLATE_NOOP("DialogPorts", "RCXに送る"));
}

} // namespace

QString bulleted(const QStringList &lines)
{
    return words(QT_TRANSLATE_NOOP("DialogPorts", "・")) + lines.join(words(QT_TRANSLATE_NOOP("DialogPorts", "\n・")));
}

Message writeFailure(const QString &path, const QString &failed, const QString &reason)
{
    return Message::refusal(words(QT_TRANSLATE_NOOP("DialogPorts", "ファイル「%1」を%2。\n%3"))
                                .arg(QDir::toNativeSeparators(path), failed, reason),
                            words(QT_TRANSLATE_NOOP("DialogPorts", "書き込みエラー")));
}

std::optional<QString> askScoreTitle(const DialogContext &context, RememberedTitle &remembered,
                                     const QString &dialogTitle)
{
    const bool known = remembered.of == context.melodyName && !remembered.title.isEmpty();
    const std::optional<QString> title
        = context.dialogs.askText(dialogTitle, words(QT_TRANSLATE_NOOP("DialogPorts", "楽譜の題名:")),
                                  known ? remembered.title : context.melodyName);
    if (!title)
        return std::nullopt;
    remembered = {title->trimmed(), context.melodyName};
    return remembered.title;
}

DialogExportPort::DialogExportPort(const DialogContext &context, RememberedTitle &remembered)
    : m_context(context)
    , m_remembered(remembered)
{ }

std::optional<QString> DialogExportPort::title(const OutputFormat &format, const QString &)
{
    return askScoreTitle(m_context, m_remembered, format.dialogTitle);
}

QString DialogExportPort::destination(const std::vector<OutputFormat> &offered, std::size_t &chosen)
{
    QStringList filters;
    for (const OutputFormat &format : offered)
        filters << format.fileFilter;
    QString filter;
    const QString path = m_context.dialogs.saveFileName(
        offered.front().dialogTitle,
        QDir(m_context.folder).filePath(suggestedFileName(m_context.melodyName, offered.front().nameEnding)),
        filters.join(QStringLiteral(";;")), &filter);
    chosen = std::size_t(std::max<qsizetype>(0, filters.indexOf(filter)));
    return path;
}

UserFileWriter::Replace DialogExportPort::replace() const
{
    return UserFileWriter::Replace::Existing; // the save dialog asked before an existing file is replaced
}

OutputProgress DialogExportPort::progress(const OutputFormat &format)
{
    if (format.progressWords.isEmpty())
        return {};
    m_progress = m_context.dialogs.startProgress(format.dialogTitle, format.progressWords, 1000);
    return [this](int permille, const QString &label) {
        m_progress->setValue(permille);
        if (!label.isEmpty())
            m_progress->setLabel(label);
        return !m_progress->wasCancelled();
    };
}

void DialogExportPort::finished(const OutputFormat &format, const QString &path, const OutputResult &result)
{
    m_progress.reset();
    const QString name = QFileInfo(path).fileName();
    switch (result.status) {
    case OutputResult::Status::Written:
        break;
    case OutputResult::Status::Cancelled:
        m_context.status(words(QT_TRANSLATE_NOOP("DialogPorts", "書き出しを取りやめました")));
        return;
    case OutputResult::Status::TooLong:
    case OutputResult::Status::NeedsNotes:
        m_context.messages.show(
            Message::refusal(result.reason, words(QT_TRANSLATE_NOOP("DialogPorts", "書き出せません"))));
        return;
    case OutputResult::Status::Exists:
    case OutputResult::Status::Failed:
        m_context.messages.show(
            writeFailure(path, words(QT_TRANSLATE_NOOP("DialogPorts", "書き込めませんでした")), result.reason));
        return;
    }
    m_context.status(
        words(QT_TRANSLATE_NOOP("DialogPorts", "%1 に書き出しました")).arg(QDir::toNativeSeparators(path)));
    if (result.changes.isEmpty())
        return;
    QStringList changes;
    for (const ExportChange &change : result.changes)
        changes << change.text;
    m_context.messages.show(Message::notice(
        words(QT_TRANSLATE_NOOP("DialogPorts", "「%1」に書き出しました。このブロックでは次のところが変わります。\n%2"))
            .arg(name, bulleted(changes)),
        format.dialogTitle));
}

namespace {

SendChoice lastSendChoice()
{
    QSettings settings;
    SendChoice choice;
    choice.port = settings.value(QStringLiteral("send/port"), choice.port).toString();
    choice.slot = std::clamp(settings.value(QStringLiteral("send/slot"), choice.slot).toInt(), 1, 5);
    choice.run = settings.value(QStringLiteral("send/run"), choice.run).toBool();
    return choice;
}

void keepSendChoice(const SendChoice &choice)
{
    QSettings settings;
    settings.setValue(QStringLiteral("send/port"), choice.port);
    settings.setValue(QStringLiteral("send/slot"), choice.slot);
    settings.setValue(QStringLiteral("send/run"), choice.run);
}

} // namespace

DialogSendPort::DialogSendPort(const DialogContext &context)
    : m_context(context)
{ }

std::optional<SendChoice> DialogSendPort::choice()
{
    const std::optional<SendChoice> choice = m_context.dialogs.askSendChoice(lastSendChoice());
    if (choice)
        keepSendChoice(*choice);
    return choice;
}

void DialogSendPort::started(const SendChoice &choice, int blocks)
{
    m_slot = choice.slot;
    m_progress = m_context.dialogs.startProgress(
        SendTitle(), words(QT_TRANSLATE_NOOP("DialogPorts", "RCX のプログラム %1 に送っています…")).arg(choice.slot),
        blocks);
}

void DialogSendPort::progressed(int blocks, int total)
{
    m_progress->setValue(blocks);
    m_progress->setLabel(
        words(QT_TRANSLATE_NOOP("DialogPorts", "RCX のプログラム %1 に送っています… %2 / %3 ブロック（あと約 %4 秒）"))
            .arg(m_slot)
            .arg(blocks)
            .arg(total)
            .arg(int(std::ceil((total - blocks) * SecondsPerBlock))));
}

bool DialogSendPort::cancelled()
{
    return m_progress && m_progress->wasCancelled();
}

void DialogSendPort::finished(const SendResult &result)
{
    m_progress.reset();
    switch (result.status) {
    case SendResult::Status::Sent:
        m_context.status(words(QT_TRANSLATE_NOOP("DialogPorts", "プログラム %1 に送りました（電池 %2 V）"))
                             .arg(result.settings.slot)
                             .arg(result.batteryVolts, 0, 'f', 1));
        if (result.batteryLow)
            m_context.messages.show(Message::notice(result.message(), SendTitle()));
        return;
    case SendResult::Status::NothingToSend:
        m_context.status(words(QT_TRANSLATE_NOOP("DialogPorts", "送る音がありません")));
        return;
    case SendResult::Status::TooLarge:
        m_context.messages.show(
            Message::refusal(result.message(), words(QT_TRANSLATE_NOOP("DialogPorts", "RCXに送れません"))));
        return;
    case SendResult::Status::BadPort:
        m_context.messages.show(Message::refusal(portProblem(result.settings.port).value_or(result.message()),
                                                 words(QT_TRANSLATE_NOOP("DialogPorts", "RCXに送れません"))));
        return;
    case SendResult::Status::Cancelled:
        m_context.status(words(QT_TRANSLATE_NOOP("DialogPorts", "送るのを中止しました")));
        m_context.messages.show(Message::notice(result.message(), SendTitle()));
        return;
    default:
        break;
    }
    m_context.status(words(QT_TRANSLATE_NOOP("DialogPorts", "RCXに送れませんでした")));
    m_context.messages.show(
        Message::refusal(result.message(), words(QT_TRANSLATE_NOOP("DialogPorts", "RCXに送れません"))));
}

DialogSavePort::DialogSavePort(const DialogContext &context, QString askWithFilter)
    : m_context(context)
    , m_filter(std::move(askWithFilter))
{ }

QString DialogSavePort::destination(const QString &offered)
{
    if (m_filter.isEmpty())
        return offered;
    QString path = m_context.dialogs.saveFileName(QCoreApplication::translate("DocumentController", "名前を付けて保存"),
                                                  offered, m_filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".mml");
    return path;
}

void DialogSavePort::saved(const QString &path)
{
    m_context.status(
        QCoreApplication::translate("DocumentController", "%1 に保存しました").arg(QDir::toNativeSeparators(path)));
}

void DialogSavePort::failed(const QString &path, const UserFileWriter::Result &result)
{
    m_context.messages.show(
        writeFailure(path, QCoreApplication::translate("DocumentController", "保存できませんでした"), result.reason));
}
