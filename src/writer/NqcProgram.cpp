#include "writer/NqcProgram.h"

#include <charconv>

#include "writer/FrequencyTable.h"

namespace {

// PlayTone and Wait take at most 255 ticks a statement on the brick.
constexpr int MaxTicksPerStatement = 255;

constexpr std::size_t BlockSize = 64 * 1024;

constexpr std::string_view Header =
    "\r\n"
    "task main()\r\n"
    "{\r\n"
    "     start music;\r\n"
    "}\r\n"
    "\r\n"
    "task music()\r\n"
    "{\r\n";
constexpr std::string_view Footer = "}\r\n";

void appendNumber(std::string &out, int value)
{
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void appendToneLine(std::string &out, const std::string &toneName, int ticks)
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

// The statements of one record. A note gives its tone in pieces of 255 ticks,
// each followed by a wait of 255, then the rest of its tone; then, note or
// rest, waits of 255 while more than 255 ticks remain, and the remainder.
void recordStatements(const NoteRecord &record, std::string &out)
{
    out.clear();
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

// Codes copied from the same table entry share their text, so the pointer
// test settles almost every comparison.
bool sameCode(const QString &a, const QString &b)
{
    return a.isSharedWith(b) || a == b;
}

// Whether two records give the same statements.
bool sameStatements(const NoteRecord &a, const NoteRecord &b)
{
    return a.Length == b.Length && a.IsRest == b.IsRest
        && (a.IsRest != 0
            || (a.GapMode == b.GapMode && sameCode(a.PitchCode, b.PitchCode) && sameCode(a.OctaveCode, b.OctaveCode)));
}

} // namespace

NqcProgram::NqcProgram(const std::vector<NoteRecord> &score, Part part)
{
    if (part.opening) {
        m_pieces.push_back(frequencyTableText());
        m_pieces.push_back(Header);
    }
    const std::size_t end = std::min(part.end, score.size());
    std::string statements;
    for (std::size_t first = part.first; first < end;) {
        std::size_t runEnd = first + 1;
        while (runEnd < end && sameStatements(score[runEnd], score[first]))
            ++runEnd;
        recordStatements(score[first], statements);
        appendRepeated(statements, runEnd - first);
        first = runEnd;
    }
    if (part.closing)
        m_pieces.push_back(Footer);
}

NqcProgram::NqcProgram(const std::vector<NoteRecord> &score, int lastIndex)
    : NqcProgram(score, Part{0, lastIndex < 0 ? 0 : static_cast<std::size_t>(lastIndex) + 1, true, true})
{
}

std::string NqcProgram::text() const
{
    std::string joined;
    for (std::string_view piece : m_pieces)
        joined += piece;
    return joined;
}

std::string &NqcProgram::blockWithRoomFor(std::size_t size)
{
    if (m_blocks.empty() || m_blocks.back().capacity() - m_blocks.back().size() < size) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(std::max(BlockSize, size));
    }
    return m_blocks.back();
}

void NqcProgram::append(std::string_view text)
{
    std::string &block = blockWithRoomFor(text.size());
    const char *start = block.data() + block.size();
    block.append(text);
    // Text that continues the last piece in the same block lengthens it.
    if (m_pieces.empty()) {
        m_pieces.emplace_back(start, text.size());
        return;
    }
    std::string_view &last = m_pieces.back();
    if (last.data() + last.size() == start)
        last = std::string_view(last.data(), last.size() + text.size());
    else
        m_pieces.emplace_back(start, text.size());
}

void NqcProgram::appendRepeated(std::string_view text, std::size_t count)
{
    // A short run goes into the running block; a long one gets a block of its
    // own, filled once, and as many pieces pointing at it as the run needs.
    const std::size_t perBlock = std::max<std::size_t>(1, BlockSize / text.size());
    if (count * text.size() <= BlockSize / 4) {
        for (std::size_t i = 0; i < count; ++i)
            append(text);
        return;
    }
    const std::size_t copies = std::min(count, perBlock);
    m_blocks.emplace_back();
    std::string &block = m_blocks.back();
    block.reserve(copies * text.size());
    for (std::size_t i = 0; i < copies; ++i)
        block.append(text);
    for (std::size_t left = count; left > 0;) {
        const std::size_t now = std::min(left, copies);
        m_pieces.emplace_back(block.data(), now * text.size());
        left -= now;
    }
}

std::string nqcProgramText(const std::vector<NoteRecord> &score, int lastIndex)
{
    return NqcProgram(score, lastIndex).text();
}
