// The names and descriptions a screen reader says for the form's controls, in
// the language of the windows. Buttons with a caption are named by it; the
// controls without one are named by the caption beside them.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui_ComposerWindow.h"
#include "widgets/ClickableLabel.h"
#include "windows/composer/ComposerWindow.h"

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("ComposerAccessibility", text);
}

// The keys of the computer keyboard, by pitch and by length.
constexpr char PitchLetters[] = "ZSXDCVGBHNJM";
constexpr const char *LengthKeys[NoteLengthCount]
    = {"1", "2", "3", "4", "5", "6", "Shift+1", "Shift+2", "Shift+3", "Shift+4", "7", "8", "9"};
constexpr const char *ArticulationKeys[3] = {",", ".", "/"};

} // namespace

void ComposerWindow::nameControls()
{
    for (int pitch = 0; pitch < PitchCount; ++pitch) {
        ClickableLabel *key = pitchKey(pitch);
        key->setAccessibleName(pitchNames()[std::size_t(pitch)]);
        key->setAccessibleDescription(
            words(QT_TRANSLATE_NOOP("ComposerAccessibility", "鍵盤：この音の高さを選びます（キー %1）"))
                .arg(QLatin1Char(PitchLetters[pitch])));
    }
    const QLabel *octaveCaptions[]
        = {m_ui->Label13_3, m_ui->Label13_0, m_ui->Label13_1, m_ui->Label13_2, m_ui->Label13_4};
    for (Octave octave : AllOctaves) {
        QRadioButton *option = octaveOption(octave);
        option->setAccessibleName(octaveCaptions[int(octave)]->text());
        option->setAccessibleDescription(words(
            QT_TRANSLATE_NOOP("ComposerAccessibility", "音の高さ（オクターブ）。Page Up／Page Down で上げ下げします")));
    }
    const QLabel *articulationCaptions[] = {m_ui->Label20_0, m_ui->Label20_1, m_ui->Label20_2};
    for (Articulation articulation : AllArticulations) {
        QRadioButton *option = articulationOption(articulation);
        option->setAccessibleName(articulationCaptions[int(articulation)]->text());
        option->setAccessibleDescription(words(QT_TRANSLATE_NOOP("ComposerAccessibility", "音間の長さ（キー %1）"))
                                             .arg(QLatin1String(ArticulationKeys[int(articulation)])));
    }
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        QPushButton *button = lengthButton(entry.length);
        button->setAccessibleName(button->text());
        button->setAccessibleDescription(
            words(QT_TRANSLATE_NOOP("ComposerAccessibility", "音の長さ：%1（キー %2）"))
                .arg(lengthText(entry.length).mid(1).trimmed(), QLatin1String(LengthKeys[int(entry.length)])));
    }
    const auto describe
        = [](QWidget *control, const QString &description) { control->setAccessibleDescription(description); };
    describe(confirmButton(),
             words(QT_TRANSLATE_NOOP("ComposerAccessibility", "選んだ音を曲の最後に加えます（Enter）")));
    describe(restButton(), words(QT_TRANSLATE_NOOP("ComposerAccessibility", "音の代わりに休符を選びます（キー 0）")));
    describe(repeatButton(), words(QT_TRANSLATE_NOOP("ComposerAccessibility", "最後の音と同じ音と長さを選びます")));
    describe(clearButton(), words(QT_TRANSLATE_NOOP("ComposerAccessibility", "最後の音を消します（BackSpace）")));
    describe(finishButton(),
             words(QT_TRANSLATE_NOOP("ComposerAccessibility", "NQCプログラムを書き出して作曲を終わります")));
    describe(aboutButton(), words(QT_TRANSLATE_NOOP("ComposerAccessibility", "ZEPAのバージョンを表示します")));
    m_ui->Label40->setAccessibleName(m_ui->Label14->text());
    m_ui->Label16->setAccessibleName(m_ui->Label15->text());
    m_ui->Frame1->setAccessibleName(m_ui->Frame1->title());
    m_ui->Frame2->setAccessibleName(m_ui->Frame2->title());
}
