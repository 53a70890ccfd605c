#pragma once

#include <vector>

#include <QKeySequence>
#include <QList>
#include <QString>

#include "workflows/Outputs.h"

// Every command of the composer's menu bar, declared in one table apart from
// what each does: its menu, its text with the access key, its keys. The
// window builds the menus from the table and gives each command its handler.
enum class ComposerAction {
    New,
    Open,
    RecentFiles, // a submenu of the files opened last
    ImportMidi,
    Save,
    SaveAs,
    ExportNqc,
    ExportWav,
    ExportMidi,
    ExportPdf,
    ExportMusicXml,
    ExportLilyPond,
    ExportNxc,
    ExportPybricks,
    ExportMicrobit,
    ExportEv3dev,
    SendToRcx,
    Print,
    Quit,
    Undo,
    Redo,
    Transpose,
    ChangeTempo,
    ShowScore,
    PlayAll,
    PlayLastTen,
    Stop,
    KeySounds,
    Guide,
    KeyList,
    Language,
    About,
};
inline constexpr int ComposerActionCount = int(ComposerAction::About) + 1;

// The menus in the order of the menu bar; Bricks is a submenu of File.
enum class ComposerMenu { File, Bricks, Edit, Play, Help };

struct ComposerActionEntry {
    ComposerAction action;
    ComposerMenu menu;
    QString text;
    QList<QKeySequence> shortcuts;
    bool separatorBefore = false;
    bool checkable = false;
};

// The table, its texts in the language installed.
std::vector<ComposerActionEntry> composerActions();
// The menus' own titles, with their access keys.
QString composerMenuTitle(ComposerMenu menu);
// The output an export command writes.
OutputKind outputOf(ComposerAction action);
ComposerAction exportActionFor(OutputKind kind);
