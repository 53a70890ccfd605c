#include <QCoreApplication>

#include "exports/ExportTargets.h"
#include "exports/TimedTones.h"

namespace {

// MicroPython keeps the script in the micro:bit's file system, which holds
// "approximately 30k" (micro:bit MicroPython documentation, "Local Persistent
// File System"; the V2's is no larger: micropython-microbit-v2 issue 226).
constexpr qsizetype MicrobitFileSystemBytes = 30 * 1024;

// uflash, which flashes a script into the V1's MicroPython (Debian's
// python3-uflash 1.2.4, hexlify()), stores it after a four-byte header ("MP"
// and its length), padded with at least one zero byte to a multiple of 16,
// in 8188 bytes at most; a larger script is refused.
constexpr qsizetype UflashScriptBytes = 8188;
constexpr bool uflashTakes(qsizetype scriptBytes)
{
    return ((scriptBytes + 4) / 16 + 1) * 16 <= UflashScriptBytes;
}
constexpr qsizetype LargestUflashScript = 8171;
static_assert(uflashTakes(LargestUflashScript) && !uflashTakes(LargestUflashScript + 1));

} // namespace

// music.pitch(frequency, duration) plays one tone for exactly that many
// milliseconds and returns when it has (micro:bit MicroPython documentation,
// "Music": pitch, wait=True), and sleep() waits exactly; so every note sounds
// and is silent as long as on the RCX. (The note strings of music.play would
// not do: only two digits of a note's length are read, and every note loses
// 10 ms to a silence of its own.)
ExportedProgram microbitProgram(std::span<const NoteRecord> notes, int tempo)
{
    const TimedTones melody = timedTones(notes);
    ExportedProgram program;
    QByteArray &text = program.text;
    text += "# " + exportHeading(notes, tempo) + "\n";
    text += "# For the micro:bit V1 and V2 with MicroPython: music.pitch() sounds each tone for\n"
            "# exactly its time and sleep() keeps the silence after it, as long as on the RCX.\n";
    text += "from microbit import sleep\nimport music\n\n";
    text += "# Each note: frequency (Hz), milliseconds sounding, milliseconds of silence after it.\n";
    text += "MELODY = (\n" + timedToneLines(melody, 4) + ")\n\n";
    text += "sleep(" + QByteArray::number(melody.leadingSilenceMs) + ")\n";
    text += "for hertz, sounding, silence in MELODY:\n"
            "    music.pitch(hertz, sounding)\n"
            "    sleep(silence)\n";
    if (text.size() > MicrobitFileSystemBytes) {
        program.changes.append(
            {QCoreApplication::translate("MicrobitWriter",
                                         "このプログラムは %1 KB あり、micro:bit のファイル用の場所（約 30 "
                                         "KB）に入りません。曲を短くしてください。")
                 .arg((text.size() + 1023) / 1024)});
    } else if (!uflashTakes(text.size())) {
        program.changes.append({QCoreApplication::translate(
                                    "MicrobitWriter",
                                    "このプログラムは %1 バイトあり、uflash で micro:bit V1 に書き込める大きさ（%2 "
                                    "バイトまで）を超えます。V1 では曲を短くしてください。V2 のファイル用の場所（約 "
                                    "30 KB）には入ります。")
                                    .arg(text.size())
                                    .arg(LargestUflashScript)});
    }
    return program;
}
