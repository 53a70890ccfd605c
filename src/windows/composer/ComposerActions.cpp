#include "windows/composer/ComposerActions.h"

#include <QCoreApplication>

namespace {

using A = ComposerAction;
using M = ComposerMenu;

constexpr std::pair<ComposerAction, OutputKind> Exports[] = {
    {A::ExportNqc, OutputKind::Nqc},           {A::ExportWav, OutputKind::Wav},
    {A::ExportMidi, OutputKind::Midi},         {A::ExportNxc, OutputKind::Nxc},
    {A::ExportPybricks, OutputKind::Pybricks}, {A::ExportMicrobit, OutputKind::Microbit},
    {A::ExportEv3dev, OutputKind::Ev3dev},     {A::ExportMusicXml, OutputKind::MusicXml},
    {A::ExportLilyPond, OutputKind::LilyPond},
};

QString menuText(OutputKind kind)
{
    return outputFormat(kind).menuText;
}

} // namespace

std::vector<ComposerActionEntry> composerActions()
{
    const auto key = [](QKeyCombination combination) { return QList<QKeySequence>{QKeySequence(combination)}; };
    return {
        {A::New, M::File, QCoreApplication::translate("ComposerActions", "新規作成(&N)..."), key(Qt::CTRL | Qt::Key_N)},
        {A::Open, M::File, QCoreApplication::translate("ComposerActions", "開く(&O)..."), key(Qt::CTRL | Qt::Key_O)},
        {A::RecentFiles, M::File, QCoreApplication::translate("ComposerActions", "最近使ったファイル(&R)"), {}},
        {A::ImportMidi, M::File, QCoreApplication::translate("ComposerActions", "MIDIファイルを取り込む(&I)..."),
         key(Qt::CTRL | Qt::Key_I)},
        {A::Save, M::File, QCoreApplication::translate("ComposerActions", "上書き保存(&S)"), key(Qt::CTRL | Qt::Key_S),
         true},
        {A::SaveAs, M::File, QCoreApplication::translate("ComposerActions", "名前を付けて保存(&A)..."),
         key(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {A::ExportNqc, M::File, menuText(OutputKind::Nqc), key(Qt::CTRL | Qt::Key_E), true},
        {A::ExportWav, M::File, menuText(OutputKind::Wav), {}},
        {A::ExportMidi, M::File, menuText(OutputKind::Midi), {}},
        {A::ExportPdf, M::File, QCoreApplication::translate("ComposerActions", "楽譜をPDFに書き出す(&D)..."), {}},
        {A::ExportMusicXml, M::File, menuText(OutputKind::MusicXml), {}},
        {A::ExportLilyPond, M::File, menuText(OutputKind::LilyPond), {}},
        {A::ExportNxc, M::Bricks, menuText(OutputKind::Nxc), {}},
        {A::ExportPybricks, M::Bricks, menuText(OutputKind::Pybricks), {}},
        {A::ExportMicrobit, M::Bricks, menuText(OutputKind::Microbit), {}},
        {A::ExportEv3dev, M::Bricks, menuText(OutputKind::Ev3dev), {}},
        {A::SendToRcx, M::File, QCoreApplication::translate("ComposerActions", "RCXに送る(&T)..."), key(Qt::Key_F9),
         true},
        {A::Print, M::File, QCoreApplication::translate("ComposerActions", "楽譜を印刷(&P)..."),
         key(Qt::CTRL | Qt::Key_P), true},
        {A::Quit, M::File, QCoreApplication::translate("ComposerActions", "終了(&X)"), key(Qt::CTRL | Qt::Key_Q), true},
        {A::Undo, M::Edit, QCoreApplication::translate("ComposerActions", "元に戻す(&U)"), key(Qt::CTRL | Qt::Key_Z)},
        {A::Redo,
         M::Edit,
         QCoreApplication::translate("ComposerActions", "やり直し(&R)"),
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {A::Transpose, M::Edit, QCoreApplication::translate("ComposerActions", "移調(&M)..."), {}, true},
        {A::ChangeTempo, M::Edit, QCoreApplication::translate("ComposerActions", "テンポの変更(&P)..."), {}},
        {A::ShowScore, M::Edit, QCoreApplication::translate("ComposerActions", "楽譜を表示(&V)"),
         key(Qt::CTRL | Qt::Key_L), true},
        {A::PlayAll, M::Play, QCoreApplication::translate("ComposerActions", "最初から再生(&S)"), key(Qt::Key_F5)},
        {A::PlayLastTen, M::Play, QCoreApplication::translate("ComposerActions", "最後の１０音を再生(&L)"),
         key(Qt::SHIFT | Qt::Key_F5)},
        {A::Stop, M::Play, QCoreApplication::translate("ComposerActions", "停止(&T)"), {}},
        {A::KeySounds, M::Play, QCoreApplication::translate("ComposerActions", "鍵盤の音を鳴らす(&K)"), {}, true, true},
        {A::Guide, M::Help, QCoreApplication::translate("ComposerActions", "使い方(&R)"), key(Qt::Key_F1)},
        {A::KeyList, M::Help, QCoreApplication::translate("ComposerActions", "キー操作(&K)"), {}},
        {A::Language, M::Help, QCoreApplication::translate("ComposerActions", "表示言語(&L)"), {}, true},
        {A::About, M::Help, QCoreApplication::translate("ComposerActions", "ZEPAについて(&A)"), {}},
    };
}

QString composerMenuTitle(ComposerMenu menu)
{
    switch (menu) {
    case M::File:
        return QCoreApplication::translate("ComposerActions", "ファイル(&F)");
    case M::Bricks:
        return QCoreApplication::translate("ComposerActions", "ほかのブロック用に書き出す(&B)");
    case M::Edit:
        return QCoreApplication::translate("ComposerActions", "編集(&E)");
    case M::Play:
        return QCoreApplication::translate("ComposerActions", "再生(&P)");
    case M::Help:
        return QCoreApplication::translate("ComposerActions", "ヘルプ(&H)");
    }
    return {};
}

OutputKind outputOf(ComposerAction action)
{
    for (const auto &[exportAction, kind] : Exports) {
        if (exportAction == action)
            return kind;
    }
    Q_ASSERT(false);
    return OutputKind::Nqc;
}

ComposerAction exportActionFor(OutputKind kind)
{
    for (const auto &[exportAction, output] : Exports) {
        if (output == kind)
            return exportAction;
    }
    return ComposerAction::ExportNqc;
}
