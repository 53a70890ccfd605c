#include "nqc/NqcProgram.h"

#include <array>
#include <cstring>

#include "nqc/FrequencyTable.h"
#include "performance/BrickTones.h"

namespace {

constexpr std::string_view Header = "\r\n"
                                    "task main()\r\n"
                                    "{\r\n"
                                    "     start music;\r\n"
                                    "}\r\n"
                                    "\r\n"
                                    "task music()\r\n"
                                    "{\r\n";
constexpr std::string_view Footer = "}\r\n";

// A line is a head ("     PlayTone(CSH," or "     Wait(") and a tail
// ("255);\r\n"), both made once and kept in fixed-size slots. Composing a line
// is then two fixed-size copies, which the compiler turns into a few moves, and
// two additions: a full score of varied notes is composed in about the time it
// takes to write it.
template<std::size_t Capacity>
struct Slot {
    char bytes[Capacity] = {};
    std::size_t size = 0;

    Slot() = default;
    explicit Slot(std::string_view text)
        : size(text.size())
    {
        Q_ASSERT(text.size() <= Capacity);
        std::memcpy(bytes, text.data(), text.size());
    }
};
using HeadSlot = Slot<24>;
using TailSlot = Slot<8>;

struct LinePieces {
    static constexpr std::size_t WaitHead = ToneCount; // after the tone heads
    std::array<HeadSlot, ToneCount + 1> heads;
    std::array<TailSlot, MaxTicksPerStatement + 1> tails;

    LinePieces()
    {
        for (int tone = 0; tone < ToneCount; ++tone)
            heads[std::size_t(tone)]
                = HeadSlot("     PlayTone(" + std::string(brickTones()[std::size_t(tone)].name) + ",");
        heads[WaitHead] = HeadSlot("     Wait(");
        for (int ticks = 0; ticks <= MaxTicksPerStatement; ++ticks)
            tails[std::size_t(ticks)] = TailSlot(std::to_string(ticks) + ");\r\n");
    }

    const HeadSlot &head(const BrickEvent &event) const
    {
        return heads[event.kind == BrickEvent::Kind::Tone ? event.tone : WaitHead];
    }
};

const LinePieces &linePieces()
{
    static const LinePieces pieces;
    return pieces;
}

// Lines are composed into a buffer that is handed to the sink whenever it
// fills. The buffer is reused from call to call: fresh memory costs a page
// fault per page, which on a full score took longer than composing.
class LineBuffer {
public:
    static constexpr std::size_t Size = 256 * 1024;
    // Room for the lines of one note (at most six) with whole slots copied.
    static constexpr std::size_t NoteRoom = 8 * (sizeof(HeadSlot::bytes) + sizeof(TailSlot::bytes));

    explicit LineBuffer(const ProgramSink &sink)
        : m_sink(sink)
        , m_pieces(linePieces())
    { }

    void put(std::string_view bytes)
    {
        while (!bytes.empty() && m_ok) {
            const std::size_t now = std::min(bytes.size(), Size - m_used);
            std::memcpy(m_bytes.data() + m_used, bytes.data(), now);
            m_used += now;
            bytes.remove_prefix(now);
            if (m_used == Size)
                flush();
        }
    }

    // Makes room for the lines of one more note.
    void reserveNote()
    {
        if (m_used + NoteRoom > Size)
            flush();
    }

    // A line of a statement that fits the brick, after reserveNote().
    void putLine(const BrickEvent &event)
    {
        const HeadSlot &head = m_pieces.head(event);
        const TailSlot &tail = m_pieces.tails[event.ticks];
        char *out = m_bytes.data() + m_used;
        std::memcpy(out, head.bytes, sizeof head.bytes);
        out += head.size;
        std::memcpy(out, tail.bytes, sizeof tail.bytes);
        m_used += head.size + tail.size;
    }

    // A line of any length, as events made by hand may have.
    void putAnyLine(const BrickEvent &event)
    {
        reserveNote();
        if (event.ticks <= MaxTicksPerStatement) {
            putLine(event);
            return;
        }
        const HeadSlot &head = m_pieces.head(event);
        put(std::string_view(head.bytes, head.size));
        put(std::to_string(event.ticks) + ");\r\n");
    }

    // Hands over what is left; false when the sink stopped composing.
    bool finish()
    {
        flush();
        return m_ok;
    }

private:
    void flush()
    {
        if (m_used > 0 && m_ok)
            m_ok = m_sink(std::string_view(m_bytes.data(), m_used));
        m_used = 0;
    }

    static std::array<char, Size> &reusedBuffer()
    {
        thread_local std::array<char, Size> buffer;
        return buffer;
    }

    const ProgramSink &m_sink;
    const LinePieces &m_pieces;
    std::array<char, Size> &m_bytes = reusedBuffer();
    std::size_t m_used = 0;
    bool m_ok = true;
};

template<typename PutLines>
bool compose(const ProgramSink &sink, PutLines putLines)
{
    LineBuffer buffer(sink);
    buffer.put(frequencyTableText());
    buffer.put(Header);
    putLines(buffer);
    buffer.put(Footer);
    return buffer.finish();
}

} // namespace

bool composeNqcProgram(std::span<const NoteRecord> notes, const ProgramSink &sink)
{
    return compose(sink, [notes](LineBuffer &buffer) {
        for (const NoteRecord &note : notes) {
            buffer.reserveNote();
            visitBrickEvents(note, [&buffer](const BrickEvent &event) { buffer.putLine(event); });
        }
    });
}

std::string nqcProgramText(std::span<const BrickEvent> events)
{
    std::string text;
    compose(
        [&text](std::string_view piece) {
            text += piece;
            return true;
        },
        [events](LineBuffer &buffer) {
            for (const BrickEvent &event : events)
                buffer.putAnyLine(event);
        });
    return text;
}

std::string nqcProgramText(std::span<const NoteRecord> notes)
{
    std::string text;
    composeNqcProgram(notes, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    return text;
}
