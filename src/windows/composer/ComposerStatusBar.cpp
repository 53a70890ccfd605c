#include "windows/composer/ComposerStatusBar.h"

#include <QCoreApplication>
#include <QLabel>

#include "base/ShownText.h"
#include "nqc/ProgramSize.h"

namespace {

QString TooLargeWords()
{
    return QCoreApplication::translate("ComposerStatusBar", "RCXに入りきりません");
}

} // namespace

ComposerStatusBar::ComposerStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_words(new QLabel(this))
    , m_melody(new QLabel(this))
    , m_size(new QLabel(this))
{
    // The words of a command are shown whole: in up to two lines, with the
    // figures out of the way while the words need their room; the whole text
    // is the tip as well. The bar is two lines high from the start, so the
    // window never changes its size and the form never moves.
    m_words->setWordWrap(true);
    m_words->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_words->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setFixedHeight(2 * fontMetrics().lineSpacing() + 8);
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

void ComposerStatusBar::say(const QString &said)
{
    const QString text = shownWhole(said);
    m_words->setText(text);
    m_words->setToolTip(text);
    makeRoom();
}

bool ComposerStatusBar::wordsFit(int width) const
{
    const QRect needed
        = m_words->fontMetrics().boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, m_words->text());
    return needed.height() <= 2 * m_words->fontMetrics().lineSpacing() && needed.width() <= width;
}

// The figures stay while the words fit in one line beside them; otherwise
// they give the words the whole bar (their tips and the screen reader still
// have them) until the words are short again.
void ComposerStatusBar::makeRoom()
{
    const int beside = width() - m_melody->sizeHint().width() - m_size->sizeHint().width() - 24;
    const bool besideFits
        = m_words->text().isEmpty() || m_words->fontMetrics().horizontalAdvance(m_words->text()) <= beside;
    m_melody->setVisible(besideFits);
    m_size->setVisible(besideFits);
}

bool ComposerStatusBar::wordsShownWhole() const
{
    return wordsFit(m_words->contentsRect().width());
}

void ComposerStatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    makeRoom();
}

void ComposerStatusBar::showMelody(int tempo, std::span<const NoteRecord> notes)
{
    m_melody->setText(
        QCoreApplication::translate("ComposerStatusBar", "♩=%1　%n音", nullptr, int(notes.size())).arg(tempo));
    const qint64 bytes = ProgramSize::bytes(notes);
    const bool tooLarge = bytes > ProgramSize::RcxProgramMemory;
    m_size->setText(QCoreApplication::translate("ComposerStatusBar", "%1 / %2 バイト")
                        .arg(bytes)
                        .arg(ProgramSize::RcxProgramMemory));
    m_size->setStyleSheet(tooLarge ? QStringLiteral("color: #c00000; font-weight: bold;") : QString());
    // The narrow window says it beside the size while nothing else is said there.
    if (tooLarge && m_words->text().isEmpty())
        say(TooLargeWords());
    else if (!tooLarge && m_words->text() == TooLargeWords())
        say(QString());
}
