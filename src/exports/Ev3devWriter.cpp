#include "exports/ExportTargets.h"
#include "exports/TimedTones.h"

// Sound().tone(sequence) plays the whole sequence with one call of beep, each
// tone as "-f frequency -l duration -D delay", the delay after it
// (ev3dev-lang-python ev3dev2/sound.py, tone); so every note sounds and is
// silent as long as on the RCX. (play_song would not do: each note and rest
// lasts its delay, 50 ms by default, longer than written.)
ExportedProgram ev3devProgram(std::span<const NoteRecord> notes, int tempo)
{
    const TimedTones melody = timedTones(notes);
    ExportedProgram program;
    QByteArray &text = program.text;
    text += "#!/usr/bin/env python3\n";
    text += "# " + exportHeading(notes, tempo) + "\n";
    text += "# For the EV3 running ev3dev with ev3dev-lang-python (ev3dev2): Sound().tone() sounds\n"
            "# each tone for exactly its time with the silence after it, as long as on the RCX.\n";
    text += "from time import sleep\n\nfrom ev3dev2.sound import Sound\n\n";
    text += "# Each note: frequency (Hz), milliseconds sounding, milliseconds of silence after it.\n";
    text += "MELODY = [\n" + timedToneLines(melody, 4) + "]\n\n";
    text += "sleep(" + QByteArray::number(melody.leadingSilenceMs) + " / 1000)\n";
    text += "if MELODY:\n"
            "    Sound().tone(MELODY)\n";
    return program;
}
