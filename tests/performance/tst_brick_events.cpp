#include <QTest>

#include "common/NoteBuilders.h"
#include "performance/BrickEvents.h"
#include "performance/BrickTones.h"

using Events = std::vector<BrickEvent>;
Q_DECLARE_METATYPE(Events)

namespace {

BrickEvent tone(int pitch, Octave octave, int ticks)
{
    return {BrickEvent::Kind::Tone, quint8(toneIndex(pitch, octave)), quint16(ticks)};
}

BrickEvent wait(int ticks)
{
    return {BrickEvent::Kind::Wait, 0, quint16(ticks)};
}

constexpr int C = 0, D = 2, E = 4, F = 5, G = 7, A = 9, AS = 10, B = 11;

} // namespace

class BrickEventsTest : public QObject {
    Q_OBJECT

private slots:
    void splitsLengthsIntoPiecesOf255_data();
    void splitsLengthsIntoPiecesOf255();
    void tonesAreNamedAndTunedInTableOrder();
};

void BrickEventsTest::splitsLengthsIntoPiecesOf255_data()
{
    QTest::addColumn<NoteRecord>("note");
    QTest::addColumn<Events>("events");
    using enum Octave;
    const auto Slur = Articulation::SlurOrTie;
    const auto Staccato = Articulation::Staccato;

    QTest::newRow("quarter at 120, normal") << toneNote(C, Middle, 50) << Events{tone(C, Middle, 40), wait(50)};
    QTest::newRow("slur or tie sounds whole") << toneNote(C, Middle, 50, Slur) << Events{tone(C, Middle, 50), wait(50)};
    QTest::newRow("staccato") << toneNote(AS, High, 50, Staccato) << Events{tone(AS, High, 30), wait(50)};
    QTest::newRow("sixteenth at 240, normal: at least 2")
        << toneNote(D, Middle, 6) << Events{tone(D, Middle, 2), wait(6)};
    QTest::newRow("thirty-second at 240, staccato: at least 1")
        << toneNote(E, Middle, 3, Staccato) << Events{tone(E, Middle, 1), wait(3)};
    QTest::newRow("gap leaves exactly 1") << toneNote(E, Middle, 11) << Events{tone(E, Middle, 1), wait(11)};
    QTest::newRow("255 is not split") << toneNote(G, Lowest, 255) << Events{tone(G, Lowest, 245), wait(255)};
    QTest::newRow("258: the wait is split")
        << toneNote(A, Middle, 258) << Events{tone(A, Middle, 248), wait(255), wait(3)};
    QTest::newRow("400 slur: tone and wait split")
        << toneNote(B, Highest, 400, Slur)
        << Events{tone(B, Highest, 255), wait(255), tone(B, Highest, 145), wait(145)};
    QTest::newRow("265 normal: tone 255 fits")
        << toneNote(F, Middle, 265) << Events{tone(F, Middle, 255), wait(255), wait(10)};
    QTest::newRow("266 normal: tone split too")
        << toneNote(F, Middle, 266) << Events{tone(F, Middle, 255), wait(255), tone(F, Middle, 1), wait(11)};
    QTest::newRow("whole rest at 60") << restNote(400) << Events{wait(255), wait(145)};
    QTest::newRow("short rest") << restNote(3) << Events{wait(3)};
}

void BrickEventsTest::splitsLengthsIntoPiecesOf255()
{
    QFETCH(NoteRecord, note);
    QFETCH(Events, events);
    const std::vector<NoteRecord> score{note, note};
    Events twice = events;
    twice.insert(twice.end(), events.begin(), events.end());
    QCOMPARE(brickEvents(score), twice);

    // Whatever the split, the note lasts its ticks and sounds its sound ticks.
    int waited = 0;
    int sounded = 0;
    for (const BrickEvent &event : events)
        (event.kind == BrickEvent::Kind::Wait ? waited : sounded) += event.ticks;
    QCOMPARE(waited, int(note.ticks));
    QCOMPARE(sounded, note.isRest() ? 0 : soundTicks(note));
}

void BrickEventsTest::tonesAreNamedAndTunedInTableOrder()
{
    const char *pitchCodes[] = {"C", "CS", "D", "DS", "E", "F", "FS", "G", "GS", "A", "AS", "B"};
    const char *octaveCodes[] = {"ML", "L", "", "H", "MH"};
    for (int pitch = 0; pitch < PitchCount; ++pitch) {
        for (Octave octave : AllOctaves) {
            const BrickTone &tone = brickTones()[std::size_t(toneIndex(pitch, octave))];
            QCOMPARE(QByteArray(tone.name.data(), qsizetype(tone.name.size())),
                     QByteArray(pitchCodes[pitch]) + octaveCodes[int(octave)]);
            // Each octave up doubles the frequency, within the table's rounding.
            if (octave != Octave::Lowest) {
                const int below = brickTones()[std::size_t(toneIndex(pitch, Octave(int(octave) - 1)))].hertz;
                QVERIFY2(std::abs(tone.hertz - 2 * below) <= 2, tone.name.data());
            }
        }
    }
    QCOMPARE(brickTones()[std::size_t(toneIndex(C, Octave::Middle))].hertz, 523);
    QCOMPARE(brickTones()[std::size_t(toneIndex(A, Octave::Low))].hertz, 440);
    QCOMPARE(brickTones()[std::size_t(toneIndex(B, Octave::Highest))].hertz, 3951);
}

QTEST_GUILESS_MAIN(BrickEventsTest)
#include "tst_brick_events.moc"
