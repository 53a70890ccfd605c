// The composer's commands that carry a melody to other programs and bricks,
// and bring one in from a MIDI file.
#include "windows/composer/ComposerWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>

#include "base/SystemReasons.h"
#include "midi/MidiImport.h"
#include "midi/MidiWriter.h"
#include "widgets/UserDialogs.h"

namespace {

const QString MidiFilter = QStringLiteral("MIDIファイル (*.mid *.midi);;すべてのファイル (*)");
const QString ImportTitle = QStringLiteral("MIDIファイルを取り込む");
const QString BrickExportTitle = QStringLiteral("ほかのブロック用に書き出す");

QString bulleted(const QStringList &lines)
{
    return QStringLiteral("・") + lines.join(QStringLiteral("\n・"));
}

} // namespace

bool ComposerWindow::writeUserFile(const QString &path, const QByteArray &bytes, const QString &failed)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = errno != 0 ? systemReasonText(errno) : file.errorString();
        m_services.messages.show(Message::refusal(
            QStringLiteral("ファイル「%1」を%2。\n%3").arg(QDir::toNativeSeparators(path), failed, reason),
            QStringLiteral("書き込みエラー")));
        return false;
    }
    return true;
}

void ComposerWindow::exportMidi()
{
    const std::span<const NoteRecord> notes = m_editor.state().notes();
    if (notes.empty()) {
        m_status->setText(QStringLiteral("書き出す音がありません"));
        return;
    }
    const QString path = m_services.dialogs.saveFileName(this, QStringLiteral("MIDIファイルに書き出す"),
                                                         QDir::current().filePath(QStringLiteral("melody.mid")),
                                                         QStringLiteral("MIDIファイル (*.mid)"));
    if (!path.isEmpty() && writeUserFile(path, MidiFile::write(notes, m_editor.tempo())))
        m_status->setText(QStringLiteral("%1 に書き出しました").arg(QFileInfo(path).fileName()));
}

void ComposerWindow::createBrickExportMenu(QMenu *file)
{
    QMenu *bricks = file->addMenu(BrickExportTitle + QStringLiteral("(&B)"));
    for (const ExportTargetInfo &info : exportTargets()) {
        const ExportTarget target = info.target;
        m_exportForBrick.at(std::size_t(target))
            = bricks->addAction(info.menuText, this, [this, target] { exportForBrick(target); });
    }
}

void ComposerWindow::exportForBrick(ExportTarget target)
{
    const std::span<const NoteRecord> notes = m_editor.state().notes();
    if (notes.empty()) {
        m_status->setText(QStringLiteral("書き出す音がありません"));
        return;
    }
    const ExportTargetInfo &info = exportTargetInfo(target);
    const QString path = m_services.dialogs.saveFileName(this, BrickExportTitle,
                                                         QDir::current().filePath(info.suggestedFile), info.fileFilter);
    if (path.isEmpty())
        return;
    const ExportedProgram program = exportProgram(target, notes, m_editor.tempo());
    if (!writeUserFile(path, program.text))
        return;
    const QString name = QFileInfo(path).fileName();
    m_status->setText(QStringLiteral("%1 に書き出しました").arg(name));
    if (!program.changes.isEmpty()) {
        m_services.messages.show(
            Message::notice(QStringLiteral("「%1」に書き出しました。このブロックでは次のところが変わります。\n%2")
                                .arg(name, bulleted(program.changeTexts(true))),
                            BrickExportTitle));
    }
}

void ComposerWindow::importMidi()
{
    const QString path = m_services.dialogs.openFileName(this, ImportTitle, QDir::currentPath(), MidiFilter);
    if (path.isEmpty())
        return;
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_services.messages.show(Message::refusal(
            QStringLiteral("ファイル「%1」を開けませんでした。\n%2").arg(name, systemReasonText(errno)),
            QStringLiteral("取り込めません")));
        return;
    }
    const MidiReadResult read = readMidiFile(file.readAll());
    const auto refuse = [&](const QString &reason) {
        m_services.messages.show(
            Message::refusal(QStringLiteral("ファイル「%1」を取り込めませんでした。\n%2").arg(name, reason),
                             QStringLiteral("取り込めません")));
    };
    if (!read.ok())
        return refuse(read.error);
    const std::vector<MidiVoice> &voices = read.song.voices;
    std::size_t chosen = 0;
    if (voices.size() > 1) {
        QStringList items;
        for (const MidiVoice &voice : voices)
            items << describeMidiVoice(voice);
        const std::optional<int> picked = m_services.dialogs.chooseItem(
            this, ImportTitle,
            QStringLiteral("ZEPAは一度にひとつの音しか鳴らせません。\n取り込むトラックとチャンネルを選んでください。"),
            items);
        if (!picked || *picked < 0)
            return;
        chosen = std::size_t(*picked);
    }
    const MidiImport import = importMidiVoice(read.song, voices.at(chosen));
    if (!import.ok())
        return refuse(import.error);
    if (m_editor.state().noteTotal() > 0) {
        const MessageAnswer answer = m_services.messages.show(Message::question(
            QStringLiteral(
                "いまの曲を、取り込んだ曲（%1 音）で置き換えますか？\n置き換えたあとでも「元に戻す」で戻せます。")
                .arg(import.melody.notes.size()),
            ImportTitle));
        if (answer != MessageAnswer::Ok)
            return;
    }
    loadScore(import.melody.notes, import.melody.tempo, QStringLiteral("MIDIの取り込み"));
    // The melody came from elsewhere: saving must not replace the melody file
    // that was open.
    m_melodyFile.clear();
    showTitle();
    m_status->setText(QStringLiteral("%1 を取り込みました").arg(QFileInfo(path).fileName()));
    const QStringList changes = import.changes(true);
    if (!changes.isEmpty()) {
        m_services.messages.show(Message::notice(
            QStringLiteral("取り込みのとき、次のところを変えました。\n%1").arg(bulleted(changes)), ImportTitle));
    }
}
