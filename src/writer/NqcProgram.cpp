#include "writer/NqcProgram.h"

#include <charconv>

#include "writer/FrequencyTable.h"

namespace {

// PlayTone and Wait take at most 255 ticks a statement on the brick.
constexpr int MaxTicksPerStatement = 255;

constexpr std::string_view Header =
    "\r\n"
    "task main()\r\n"
    "{\r\n"
    "     start music;\r\n"
    "}\r\n"
    "\r\n"
    "task music()\r\n"
    "{\r\n";

void appendNumber(std::string &out, int value)
{
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void appendToneLine(std::string &out, std::string_view toneName, int ticks)
{
    out += "     PlayTone(";
    out += toneName;
    out += ',';
    appendNumber(out, ticks);
    out += ");\r\n";
}

void appendWaitLine(std::string &out, int ticks)
{
    out += "     Wait(";
    appendNumber(out, ticks);
    out += ");\r\n";
}

// How long the tone sounds: the length less the gap of its articulation. A
// very short note still sounds 2 ticks (normal) or 1 tick (staccato).
int soundLengthOf(const NoteRecord &note)
{
    int sound = note.Length - note.GapMode;
    if (sound < 1) {
        if (note.GapMode == 10)
            sound = 2;
        else if (note.GapMode == 20)
            sound = 1;
    }
    return sound;
}

void appendRecord(std::string &out, const NoteRecord &record)
{
    int length = record.Length;
    if (record.IsRest == 0) {
        int sound = soundLengthOf(record);
        const std::string toneName = (record.PitchCode + record.OctaveCode).toStdString();
        while (sound > MaxTicksPerStatement) {
            appendToneLine(out, toneName, MaxTicksPerStatement);
            appendWaitLine(out, MaxTicksPerStatement);
            sound -= MaxTicksPerStatement;
            length -= MaxTicksPerStatement;
        }
        appendToneLine(out, toneName, sound);
    }
    while (length > MaxTicksPerStatement) {
        appendWaitLine(out, MaxTicksPerStatement);
        length -= MaxTicksPerStatement;
    }
    appendWaitLine(out, length);
}

} // namespace

std::string nqcProgramText(const std::vector<NoteRecord> &score, int lastIndex)
{
    std::string out;
    const std::size_t records = lastIndex < 0 ? 0 : static_cast<std::size_t>(lastIndex) + 1;
    // A note of at most 400 ticks takes four lines of at most 24 characters.
    out.reserve(frequencyTableText().size() + Header.size() + records * 96 + 3);
    out += frequencyTableText();
    out += Header;
    for (std::size_t i = 0; i < records && i < score.size(); ++i)
        appendRecord(out, score[i]);
    out += "}\r\n";
    return out;
}
