#include "controller/DocumentController.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "controller/EditMessages.h"
#include "controller/ReadMelody.h"
#include "controller/SaveMelody.h"
#include "midi/MidiImport.h"
#include "score/TempoReader.h"

namespace {

QString MelodyFilter()
{
    return QCoreApplication::translate("DocumentController",
                                       "ZEPAで開けるファイル (*.mml *.nqc *.mid *.midi *.musicxml *.xml *.mxl);;"
                                       "メロディファイル (*.mml);;MusicXMLファイル (*.musicxml *.xml *.mxl);;"
                                       "すべてのファイル (*)");
}
QString SaveFilter()
{
    return QCoreApplication::translate("DocumentController", "メロディファイル (*.mml);;すべてのファイル (*)");
}
QString MidiFilter()
{
    return QCoreApplication::translate("DocumentController", "MIDIファイル (*.mid *.midi);;すべてのファイル (*)");
}
QString SaveQuestion()
{
    return QCoreApplication::translate("DocumentController", "作曲中の曲を保存しますか？");
}
QString OpenTitle()
{
    return QCoreApplication::translate("DocumentController", "開く");
}
QString CannotOpenTitle()
{
    return QCoreApplication::translate("DocumentController", "開けません");
}
QString ImportTitle()
{
    return QCoreApplication::translate("DocumentController", "MIDIファイルを取り込む");
}
QString CannotImportTitle()
{
    return QCoreApplication::translate("DocumentController", "取り込めません");
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

DocumentController::DocumentController(ScoreDocument &document, MelodyPlayer &player, ControllerServices services,
                                       QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_player(player)
    , m_services(services)
{ }

QString DocumentController::folder() const
{
    const QString &file = m_document.melodyFile();
    return file.isEmpty() ? QDir::currentPath() : QFileInfo(file).absolutePath();
}

bool DocumentController::settleUnsavedWork(bool onlyWithMelodyFile)
{
    if (!m_document.hasUnsavedNotes())
        return true;
    if (onlyWithMelodyFile && (m_document.melodyFile().isEmpty() || !m_document.isModified()))
        return true;
    switch (m_services.messages.show(
        Message::saveFirst(SaveQuestion(), QCoreApplication::translate("DocumentController", "作曲")))) {
    case MessageAnswer::Save:
        return save();
    case MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

std::optional<int> DocumentController::askNewTempo()
{
    QString typed = QStringLiteral("80");
    for (;;) {
        const std::optional<QString> text = m_services.dialogs.askText(
            QCoreApplication::translate("DocumentController", "新規作成"),
            QCoreApplication::translate("DocumentController", "テンポ（６０～２４０）:"), typed);
        if (!text)
            return std::nullopt;
        if (const std::optional<qint16> tempo = TempoReader::readTempo(*text))
            return *tempo;
        m_services.messages.show(Message::refusal(
            QCoreApplication::translate("DocumentController", "テンポは６０から２４０の間に設定してください。"),
            QCoreApplication::translate("DocumentController", "注意")));
        typed = *text; // kept for another try, as the tempo window keeps it
    }
}

void DocumentController::newMelody()
{
    if (!settleUnsavedWork())
        return;
    const std::optional<int> tempo = askNewTempo();
    if (!tempo)
        return;
    m_player.stop();
    m_document.startNew(*tempo);
    emit status(QCoreApplication::translate("DocumentController", "新しい曲（テンポ %1）").arg(*tempo));
}

void DocumentController::open()
{
    if (!settleUnsavedWork())
        return;
    const QString path = m_services.dialogs.openFileName(OpenTitle(), folder(), MelodyFilter());
    if (!path.isEmpty())
        openFile(path, false);
}

namespace {

// A file that cannot be opened or taken in: a box naming it and saying why.
class DialogReadPort : public ReadPort {
public:
    DialogReadPort(MessageService &messages, const QString &refusedWords, const QString &title)
        : m_messages(messages)
        , m_refusedWords(refusedWords)
        , m_title(title)
    { }

    void refused(const QString &path, const MelodyRead &read) override
    {
        QString text;
        if (read.status == MelodyRead::Status::Unreadable)
            text = QCoreApplication::translate("DocumentController", "ファイル「%1」を開けませんでした。\n%2")
                       .arg(shown(path), read.error);
        else
            text = QCoreApplication::translate("DocumentController", "ファイル「%1」を%2。\n%3")
                       .arg(shown(path), m_refusedWords, read.ok() ? read.melodyError : read.placedError());
        m_messages.show(Message::refusal(text, m_title));
    }

private:
    MessageService &m_messages;
    QString m_refusedWords;
    QString m_title;
};

} // namespace

std::optional<MelodyRead> DocumentController::read(const QString &path, const QString &title,
                                                   const QString &refusedWords, std::optional<MelodyKind> onlyKind)
{
    MelodyReadOptions options;
    options.onlyKind = onlyKind;
    options.chooseVoice = [this, &title](const std::vector<MidiVoice> &voices) -> std::optional<std::size_t> {
        QStringList items;
        for (const MidiVoice &voice : voices)
            items << describeMidiVoice(voice);
        const std::optional<int> picked = m_services.dialogs.chooseItem(
            title,
            QCoreApplication::translate(
                "DocumentController",
                "ZEPAは一度にひとつの音しか鳴らせません。\n取り込むトラックとチャンネルを選んでください。"),
            items);
        if (!picked || *picked < 0)
            return std::nullopt;
        return std::size_t(*picked);
    };
    DialogReadPort port(m_services.messages, refusedWords,
                        onlyKind == MelodyKind::Midi ? CannotImportTitle() : CannotOpenTitle());
    return ReadMelody(port).run(path, options, true);
}

bool DocumentController::openFile(const QString &path, bool askAboutUnsavedNotes)
{
    if (askAboutUnsavedNotes && !settleUnsavedWork())
        return false;
    const std::optional<MelodyRead> melody
        = read(path, OpenTitle(), QCoreApplication::translate("DocumentController", "読めませんでした"), std::nullopt);
    if (!melody)
        return false;
    m_player.stop();
    m_document.open(melody->melody, path, melody->kind == MelodyKind::MelodyFile);
    m_scoreTitle = {melody->title, m_document.name()};
    m_recent.add(path);
    emit status(QCoreApplication::translate("DocumentController", "%1 を開きました").arg(QFileInfo(path).fileName()));
    tellChanges(QCoreApplication::translate("DocumentController", "読み込みのとき、次のところを変えました。"),
                melody->changes, OpenTitle());
    return true;
}

void DocumentController::openRecent(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_services.messages.show(Message::refusal(
            QCoreApplication::translate("DocumentController",
                                        "ファイル「%1」がありません。\n最近使ったファイルの一覧から外します。")
                .arg(shown(path)),
            CannotOpenTitle()));
        m_recent.remove(path);
        return;
    }
    openFile(path);
}

void DocumentController::tellChanges(const QString &lead, const QStringList &changes, const QString &title)
{
    if (!changes.isEmpty())
        m_services.messages.show(Message::notice(lead + QLatin1Char('\n') + bulleted(changes), title));
}

bool DocumentController::save()
{
    return saveMelody(m_document.melodyFile().isEmpty());
}

bool DocumentController::saveAs()
{
    return saveMelody(true);
}

bool DocumentController::saveMelody(bool askName)
{
    const QString offered = m_document.melodyFile().isEmpty()
        ? QDir(folder()).filePath((m_document.name().isEmpty() ? QStringLiteral("melody") : m_document.name())
                                  + QStringLiteral(".mml"))
        : m_document.melodyFile();
    const DialogContext context = dialogContext();
    DialogSavePort port(context, askName ? SaveFilter() : QString());
    const QString path = SaveMelody(port).run(m_document.melody(), offered);
    if (path.isEmpty())
        return false;
    m_document.markSaved(path);
    m_recent.add(path);
    return true;
}

void DocumentController::importMidi()
{
    const QString path = m_services.dialogs.openFileName(ImportTitle(), folder(), MidiFilter());
    if (path.isEmpty())
        return;
    const std::optional<MelodyRead> melody
        = read(path, ImportTitle(), QCoreApplication::translate("DocumentController", "取り込めませんでした"),
               MelodyKind::Midi);
    if (!melody)
        return;
    if (m_document.state().noteTotal() > 0) {
        const MessageAnswer answer = m_services.messages.show(Message::question(
            QCoreApplication::translate(
                "DocumentController",
                "いまの曲を、取り込んだ曲（%n 音）で置き換えますか？\n置き換えたあとでも「元に戻す」で戻せます。",
                nullptr, int(melody->melody.notes.size())),
            ImportTitle()));
        if (answer != MessageAnswer::Ok)
            return;
    }
    m_player.stop();
    m_document.importMelody(melody->melody, QCoreApplication::translate("DocumentController", "MIDIの取り込み"));
    emit status(
        QCoreApplication::translate("DocumentController", "%1 を取り込みました").arg(QFileInfo(path).fileName()));
    tellChanges(QCoreApplication::translate("DocumentController", "取り込みのとき、次のところを変えました。"),
                melody->changes, ImportTitle());
}

void DocumentController::askTranspose()
{
    const std::optional<QString> text = m_services.dialogs.askText(
        QCoreApplication::translate("DocumentController", "移調"),
        QCoreApplication::translate("DocumentController", "上げる半音の数（下げるときは－を付けます）:"),
        QStringLiteral("0"));
    if (!text)
        return;
    bool ok = false;
    const int semitones = text->normalized(QString::NormalizationForm_KC).trimmed().toInt(&ok);
    if (!ok || semitones < -59 || semitones > 59) {
        m_services.messages.show(Message::refusal(
            QCoreApplication::translate("DocumentController", "半音の数は－５９から５９の整数で入力してください。"),
            QCoreApplication::translate("DocumentController", "注意")));
        return;
    }
    tellEdit(m_services.messages, m_document.transpose(semitones));
}

void DocumentController::askTempo()
{
    const std::optional<QString> text
        = m_services.dialogs.askText(QCoreApplication::translate("DocumentController", "テンポの変更"),
                                     QCoreApplication::translate("DocumentController", "新しいテンポ（６０～２４０）:"),
                                     QString::number(m_document.tempo()));
    if (!text)
        return;
    const std::optional<qint16> tempo = TempoReader::readTempo(*text);
    if (!tempo) {
        m_services.messages.show(Message::refusal(
            QCoreApplication::translate("DocumentController", "テンポは６０から２４０の間に設定してください。"),
            QCoreApplication::translate("DocumentController", "注意")));
        return;
    }
    m_document.changeTempo(*tempo);
}
