#pragma once

#include <QString>

// The composer's menus in the order of the menu bar; Bricks is a submenu of File.
enum class ComposerMenu { File, Bricks, Edit, Play, Help };
// The menus' own titles, with their access keys.
QString composerMenuTitle(ComposerMenu menu);

// The composer's commands by the names its table gives them. The outputs'
// commands are named after the register's formats: exportCommand("wav").
namespace ComposerCommand {
inline const QString New = QStringLiteral("file.new");
inline const QString Open = QStringLiteral("file.open");
inline const QString RecentFiles = QStringLiteral("file.recent");
inline const QString ImportMidi = QStringLiteral("file.import-midi");
inline const QString Save = QStringLiteral("file.save");
inline const QString SaveAs = QStringLiteral("file.save-as");
inline const QString SendToRcx = QStringLiteral("file.send");
inline const QString Print = QStringLiteral("file.print");
inline const QString Quit = QStringLiteral("file.quit");
inline const QString Undo = QStringLiteral("edit.undo");
inline const QString Redo = QStringLiteral("edit.redo");
inline const QString Transpose = QStringLiteral("edit.transpose");
inline const QString ChangeTempo = QStringLiteral("edit.tempo");
inline const QString ShowScore = QStringLiteral("edit.show-score");
inline const QString PlayAll = QStringLiteral("play.all");
inline const QString PlayLastTen = QStringLiteral("play.last-ten");
inline const QString Stop = QStringLiteral("play.stop");
inline const QString KeySounds = QStringLiteral("play.key-sounds");
inline const QString Guide = QStringLiteral("help.guide");
inline const QString KeyList = QStringLiteral("help.keys");
inline const QString Language = QStringLiteral("help.language");
inline const QString About = QStringLiteral("help.about");
} // namespace ComposerCommand

QString exportCommand(const QString &outputId);
