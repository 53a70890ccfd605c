#include "exports/ExportTargets.h"
#include "exports/TimedTones.h"

// speaker.beep(frequency, duration) starts the tone, waits the duration and
// stops it (pybricks-micropython pybricks/common/pb_type_speaker.c), and
// pybricks.tools.wait() waits exactly; so every note sounds and is silent as
// long as on the RCX. (play_notes would not do: it releases every untied
// note for the last eighth of its length, not the RCX's fixed gap.) The hub
// class is ThisHub from Pybricks 3 on; the EV3's Pybricks 2.0 has EV3Brick.
ExportedProgram pybricksProgram(std::span<const NoteRecord> notes, int tempo)
{
    const TimedTones melody = timedTones(notes);
    ExportedProgram program;
    QByteArray &text = program.text;
    // The EV3's Pybricks (on ev3dev) runs a program by this line, from its
    // file menu as from the command line (Pybricks EV3 MicroPython 2.0
    // documentation, "Getting started": every program starts with it); to a
    // SPIKE or Powered Up hub it is a comment.
    text += "#!/usr/bin/env pybricks-micropython\n";
    text += "# " + exportHeading(notes, tempo) + "\n";
    text += "# For a hub with a speaker: SPIKE Prime or Robot Inventor with Pybricks 3, or the EV3\n"
            "# with Pybricks 2.0. speaker.beep() sounds each tone for exactly its time and wait()\n"
            "# keeps the silence after it, as long as on the RCX.\n";
    text += "try:\n"
            "    from pybricks.hubs import ThisHub as Hub  # Pybricks 3\n"
            "except ImportError:\n"
            "    from pybricks.hubs import EV3Brick as Hub  # Pybricks 2.0 on the EV3\n"
            "from pybricks.tools import wait\n\n";
    text += "# Each note: frequency (Hz), milliseconds sounding, milliseconds of silence after it.\n";
    text += "MELODY = (\n" + timedToneLines(melody, 4) + ")\n\n";
    text += "hub = Hub()\n";
    text += "wait(" + QByteArray::number(melody.leadingSilenceMs) + ")\n";
    text += "for hertz, sounding, silence in MELODY:\n"
            "    hub.speaker.beep(hertz, sounding)\n"
            "    wait(silence)\n";
    return program;
}
