#include "windows/composer/ComposerStatusBar.h"

#include <QCoreApplication>
#include <QLabel>

#include "nqc/ProgramSize.h"
#include "widgets/ElidedLabel.h"

namespace {

QString TooLargeWords()
{
    return QCoreApplication::translate("ComposerStatusBar", "RCXに入りきりません");
}

} // namespace

ComposerStatusBar::ComposerStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_words(new ElidedLabel(this))
    , m_melody(new QLabel(this))
    , m_size(new QLabel(this))
{
    addWidget(m_words, 1);
    addPermanentWidget(m_melody);
    m_size->setContentsMargins(0, 0, 6, 0); // clear of the window edge
    addPermanentWidget(m_size);
    setSizeGripEnabled(false);
    m_melody->setToolTip(
        QCoreApplication::translate("ComposerStatusBar", "テンポ（１分間の四分音符の数）と楽譜の音の数"));
    m_size->setToolTip(QCoreApplication::translate("ComposerStatusBar",
                                                   "書き出すNQCプログラムの大きさ（RCXのプログラム用メモリは約6KB）"));
    // A screen reader names the figures by what they count.
    m_words->setAccessibleName(QCoreApplication::translate("ComposerStatusBar", "状態"));
    m_melody->setAccessibleName(QCoreApplication::translate("ComposerStatusBar", "テンポと音の数"));
    m_melody->setAccessibleDescription(m_melody->toolTip());
    m_size->setAccessibleName(QCoreApplication::translate("ComposerStatusBar", "プログラムの大きさ"));
    m_size->setAccessibleDescription(m_size->toolTip());
}

void ComposerStatusBar::say(const QString &text)
{
    m_words->setText(text);
}

void ComposerStatusBar::showMelody(int tempo, std::span<const NoteRecord> notes)
{
    m_melody->setText(QCoreApplication::translate("ComposerStatusBar", "♩=%1　%2音").arg(tempo).arg(notes.size()));
    const qint64 bytes = ProgramSize::bytes(notes);
    const bool tooLarge = bytes > ProgramSize::RcxProgramMemory;
    m_size->setText(QCoreApplication::translate("ComposerStatusBar", "%1 / %2 バイト")
                        .arg(bytes)
                        .arg(ProgramSize::RcxProgramMemory));
    m_size->setStyleSheet(tooLarge ? QStringLiteral("color: #c00000; font-weight: bold;") : QString());
    // The narrow window says it beside the size while nothing else is said there.
    if (tooLarge && m_words->text().isEmpty())
        m_words->setText(TooLargeWords());
    else if (!tooLarge && m_words->text() == TooLargeWords())
        m_words->clear();
}
