#include "common/GuiTestSupport.h"

#include "base/UiLanguage.h"

#include "widgets/ClickableLabel.h"
#include "windows/composer/ComposerWindow.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>

#include "windows/tempo/TempoWindow.h"

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(widget, &commit);
        }
    }
}

void click(QWidget *control)
{
    if (control)
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

void click(QWidget *window, const QString &name)
{
    click(control<QWidget>(window, name));
}

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            windows.append(widget);
    }
    return windows;
}

ZepaUnderTest::ZepaUnderTest(const QString &directory, const QString &journalFolder)
    : files(directory)
    , app({messages, files, registry, fileProbe, launcher, dialogs,
           [this] {
               auto output = std::make_unique<RecordingSoundOutput>();
               output->available = soundAvailable;
               soundOutputs.push_back(output.get());
               return output;
           },
           [this] { ++quitCount; }, journalFolder})
{
    // Settings of the tests' own, apart from the user's.
    QStandardPaths::setTestModeEnabled(true);
    // The program's own fonts and style, so that labels fit their text as they
    // do for the user.
    static const bool configured = [] {
        ZepaApplication::configure(*qApp);
        UiLanguages::install(UiLanguage::Japanese);
        return true;
    }();
    Q_UNUSED(configured);
}

ZepaUnderTest::~ZepaUnderTest() = default;

void ZepaUnderTest::startComposing(const QString &tempo)
{
    app.start();
    QWidget *form1 = app.tempoWindow();
    auto *text = control<QLineEdit>(form1, QStringLiteral("Text1"));
    if (!text)
        return;
    text->clear();
    typeText(text, tempo);
    click(form1, QStringLiteral("Command1"));
}

ComposerWindow *openComposer(ZepaUnderTest &zepa, const QString &tempo)
{
    zepa.startComposing(tempo);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return zepa.app.composerWindow();
}

void confirmPitches(ComposerWindow *window, std::initializer_list<int> pitches)
{
    for (int pitch : pitches) {
        click(window->pitchKey(pitch));
        click(window->confirmButton());
    }
}

QString labelText(QWidget *window, const char *label)
{
    QLabel *found = control<QLabel>(window, QLatin1String(label));
    return found ? found->text() : QString();
}
