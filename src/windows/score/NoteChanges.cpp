#include "windows/score/NoteChanges.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

#include "controller/EditMessages.h"

NoteChanges::NoteChanges(ScoreDocument &document, MessageService &messages, Selection selection, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_messages(messages)
    , m_selection(std::move(selection))
{ }

namespace {

QString changeWords(const char *text, int count)
{
    return QCoreApplication::translate("NoteChanges", text, nullptr, count);
}

} // namespace

void NoteChanges::apply(const NoteKeys::Action &action)
{
    const auto [first, count] = m_selection();
    if (count <= 0)
        return;
    if (const auto *key = std::get_if<NoteKeys::PitchKey>(&action)) {
        m_document.changePitch(first, count, key->pitch);
        emit said(changeWords(QT_TRANSLATE_N_NOOP("NoteChanges", "%n 音を「%1」にしました"), count)
                      .arg(pitchNames()[std::size_t(key->pitch)]));
    } else if (const auto *length = std::get_if<NoteLength>(&action)) {
        m_document.changeLength(first, count, *length);
        emit said(changeWords(QT_TRANSLATE_N_NOOP("NoteChanges", "%n 音の長さを「%1」にしました"), count)
                      .arg(lengthText(*length).mid(1).trimmed()));
    } else if (const auto *articulation = std::get_if<Articulation>(&action)) {
        m_document.changeArticulation(first, count, *articulation);
        emit said(changeWords(QT_TRANSLATE_N_NOOP("NoteChanges", "%n 音の音間を「%1」にしました"), count)
                      .arg(articulationText(*articulation).mid(1).trimmed()));
    } else if (const auto *command = std::get_if<NoteKeys::Command>(&action)) {
        switch (*command) {
        case NoteKeys::Command::OctaveUp:
            shiftOctave(1);
            break;
        case NoteKeys::Command::OctaveDown:
            shiftOctave(-1);
            break;
        case NoteKeys::Command::Rest:
            m_document.makeRest(first, count);
            emit said(changeWords(QT_TRANSLATE_N_NOOP("NoteChanges", "%n 音を休符にしました"), count));
            break;
        case NoteKeys::Command::Confirm:
        case NoteKeys::Command::Clear:
            break; // the window's
        }
    }
}

void NoteChanges::shiftOctave(int octaves)
{
    shift(octaves, true);
}

void NoteChanges::shiftPitch(int semitones)
{
    shift(semitones, false);
}

void NoteChanges::shift(int steps, bool byOctaves)
{
    const auto [first, count] = m_selection();
    if (count <= 0)
        return;
    const EditResult result
        = byOctaves ? m_document.shiftOctave(first, count, steps) : m_document.shiftPitch(first, count, steps);
    tellEdit(m_messages, result);
    if (!result)
        return;
    const char *const words[2][2] = {
        {QT_TRANSLATE_N_NOOP("NoteChanges", "%n 音を半音下げました"),
         QT_TRANSLATE_N_NOOP("NoteChanges", "%n 音を半音上げました")},
        {QT_TRANSLATE_N_NOOP("NoteChanges", "%n 音を1オクターブ下げました"),
         QT_TRANSLATE_N_NOOP("NoteChanges", "%n 音を1オクターブ上げました")},
    };
    emit said(changeWords(words[byOctaves][steps > 0], count));
}

bool NoteChanges::handleKey(const QKeyEvent &event)
{
    if (event.modifiers() == Qt::NoModifier && (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down)) {
        shiftPitch(event.key() == Qt::Key_Up ? 1 : -1);
        return true;
    }
    const std::optional<NoteKeys::Action> action = NoteKeys::actionFor(event);
    if (!action)
        return false;
    // Page Up and Page Down scroll here, as in every view; Enter and
    // BackSpace are the window's. The octave has keys of its own in the menu.
    if (const auto *command = std::get_if<NoteKeys::Command>(&*action); command && *command != NoteKeys::Command::Rest)
        return false;
    apply(*action);
    return true;
}

QMenu *NoteChanges::makeMenu(QWidget *parent)
{
    // The key beside each entry is the one that does it on the staff or in the table.
    m_menu = new QMenu(QCoreApplication::translate("NoteChanges", "選んだ音を変える(&G)"), parent);
    auto add = [](QMenu *menu, const QString &text, const QString &key, auto slot) {
        menu->addAction(key.isEmpty() ? text : text + u'\t' + key, slot);
    };
    add(m_menu, QCoreApplication::translate("NoteChanges", "半音上げる(&U)"), QStringLiteral("↑"),
        [this] { shiftPitch(1); });
    add(m_menu, QCoreApplication::translate("NoteChanges", "半音下げる(&D)"), QStringLiteral("↓"),
        [this] { shiftPitch(-1); });
    // Keys of the whole window, which no list or view takes for moving about.
    QAction *octaveUp = m_menu->addAction(QCoreApplication::translate("NoteChanges", "オクターブ上げる(&O)"), this,
                                          [this] { shiftOctave(1); });
    octaveUp->setShortcut(NoteKeys::ScoreOctaveUp);
    QAction *octaveDown = m_menu->addAction(QCoreApplication::translate("NoteChanges", "オクターブ下げる(&W)"), this,
                                            [this] { shiftOctave(-1); });
    octaveDown->setShortcut(NoteKeys::ScoreOctaveDown);
    m_menu->addSeparator();

    static const char PianoKeys[] = "ZSXDCVGBHNJM";
    QMenu *pitches = m_menu->addMenu(QCoreApplication::translate("NoteChanges", "音の高さ(&P)"));
    for (int pitch = 0; pitch < PitchCount; ++pitch)
        add(pitches, pitchNames()[std::size_t(pitch)], QString(QChar(PianoKeys[pitch])),
            [this, pitch] { apply(NoteKeys::PitchKey{pitch}); });
    add(m_menu, QCoreApplication::translate("NoteChanges", "休符にする(&R)"), QStringLiteral("0"),
        [this] { apply(NoteKeys::Command::Rest); });

    // The lengths in the table's order, with the digit that gives each.
    QMenu *lengths = m_menu->addMenu(QCoreApplication::translate("NoteChanges", "長さ(&L)"));
    const std::pair<NoteLength, const char *> lengthKeys[] = {
        {NoteLength::Whole, "1"},
        {NoteLength::Half, "2"},
        {NoteLength::Quarter, "3"},
        {NoteLength::Eighth, "4"},
        {NoteLength::Sixteenth, "5"},
        {NoteLength::ThirtySecond, "6"},
        {NoteLength::DottedHalf, "Shift+1"},
        {NoteLength::DottedQuarter, "Shift+2"},
        {NoteLength::DottedEighth, "Shift+3"},
        {NoteLength::DottedSixteenth, "Shift+4"},
        {NoteLength::QuarterTriplet, "7"},
        {NoteLength::EighthTriplet, "8"},
        {NoteLength::SixteenthTriplet, "9"},
    };
    for (const auto &[length, key] : lengthKeys)
        add(lengths, lengthText(length).mid(1).trimmed(), QString::fromLatin1(key), [this, length] { apply(length); });

    QMenu *articulations = m_menu->addMenu(QCoreApplication::translate("NoteChanges", "音間(&A)"));
    const std::pair<Articulation, const char *> articulationKeys[]
        = {{Articulation::Normal, ","}, {Articulation::Staccato, "."}, {Articulation::SlurOrTie, "/"}};
    for (const auto &[articulation, key] : articulationKeys)
        add(articulations, articulationText(articulation).mid(1).trimmed(), QString::fromLatin1(key),
            [this, articulation] { apply(articulation); });
    return m_menu;
}

void NoteChanges::setEnabled(bool enabled)
{
    if (m_menu)
        m_menu->setEnabled(enabled);
}
