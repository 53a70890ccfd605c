#include "common/GuiTestSupport.h"

#include "app/TempoWindow.h"

void click(QWidget *window, const QString &name)
{
    QWidget *widget = control<QWidget>(window, name);
    if (widget)
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
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

ZepaUnderTest::ZepaUnderTest(const QString &directory)
    : files(directory)
    , app({messages, files, registry, fileProbe, launcher, [this] { ++quitCount; }})
{
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
    QTest::keyClicks(text, tempo);
    click(form1, QStringLiteral("Command1"));
}
