#include <QCoreApplication>

#include "exports/ExportTargets.h"
#include "performance/BrickEvents.h"
#include "performance/BrickTones.h"

// NXC's PlayTone starts a tone and returns at once, as the RCX's does, so the
// RCX program's statements carry over one for one, in milliseconds: the NXT
// plays the same tones at the same moments.
namespace {

// What nbc 1.2.1 makes of the program, measured: 102 bytes, 66 a PlayTone
// and 16 a Wait. The NXT keeps programs in the flash its firmware leaves,
// "about ~128K" (nxtasy.org, "NXT Memory and File System Organization").
constexpr qint64 EmptyProgramBytes = 102;
constexpr qint64 ToneBytes = 66;
constexpr qint64 WaitBytes = 16;
constexpr qint64 FileSystemBytes = 128 * 1024;

} // namespace

qint64 nxtProgramBytes(std::span<const NoteRecord> notes)
{
    qint64 bytes = EmptyProgramBytes;
    for (const NoteRecord &note : notes) {
        visitBrickEvents(note, [&bytes](const BrickEvent &statement) {
            bytes += statement.kind == BrickEvent::Kind::Tone ? ToneBytes : WaitBytes;
        });
    }
    return bytes;
}

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
    const qint64 bytes = nxtProgramBytes(notes);
    if (bytes > FileSystemBytes) {
        const qint64 kilobytes = (bytes + 1023) / 1024;
        program.changes.append(
            {QCoreApplication::translate(
                 "NxcWriter",
                 "このプログラムは NXT の上で約 %1 KB になり、NXT のプログラム用の場所（約 128 KB）に入りません。"
                 "曲を短くしてください。")
                 .arg(kilobytes)});
    }
    return program;
}
