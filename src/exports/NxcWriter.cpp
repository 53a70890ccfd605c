#include "exports/ExportTargets.h"

#include "performance/BrickEvents.h"
#include "performance/BrickTones.h"

// NXC's PlayTone starts a tone and returns at once, as the RCX's does, so the
// RCX program's statements carry over one for one, in milliseconds: the NXT
// plays the same tones at the same moments.
ExportedProgram nxcProgram(std::span<const NoteRecord> notes, int tempo)
{
    ExportedProgram program;
    QByteArray &text = program.text;
    text += "// " + exportHeading(notes, tempo) + "\n";
    text += "// For the NXT: PlayTone(frequency, milliseconds) does not wait, so Wait follows it.\n\n";
    text += "task main()\n{\n";
    text.reserve(text.size() + qsizetype(notes.size()) * 44);
    for (const NoteRecord &note : notes) {
        visitBrickEvents(note, [&text](const BrickEvent &statement) {
            if (statement.kind == BrickEvent::Kind::Tone) {
                text += "    PlayTone(" + QByteArray::number(brickTones()[statement.tone].hertz) + ", "
                    + QByteArray::number(statement.ticks * 10) + ");\n";
            } else {
                text += "    Wait(" + QByteArray::number(statement.ticks * 10) + ");\n";
            }
        });
    }
    text += "}\n";
    return program;
}
