#include "windows/guide/GuideWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "base/UiLanguage.h"
#include "windows/guide/GuideText.h"

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("GuideWindow", text);
}

} // namespace

GuideWindow::GuideWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
    , m_search(new QLineEdit(this))
    , m_result(new QLabel(this))
{
    setObjectName(QStringLiteral("guideWindow"));
    setWindowTitle(words(QT_TRANSLATE_NOOP("GuideWindow", "ZEPAの使い方")));
    m_browser->setObjectName(QStringLiteral("guideText"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    // The guide's lists are aligned in columns of a fixed-width font: IPAGothic
    // gives Japanese twice the width of Latin, as the text was laid out.
    // The English guide reads better in a Latin fixed-width font.
    m_browser->document()->setDefaultStyleSheet(
        UiLanguages::language() == UiLanguage::English
            ? QStringLiteral("pre { font-family: 'DejaVu Sans Mono', monospace; } h1 { font-size: large; }")
            : QStringLiteral("pre { font-family: 'IPAGothic', monospace; } h1 { font-size: large; }"));
    m_browser->setHtml(GuideText::html(GuideText::plainText()));
    m_browser->setAccessibleName(words(QT_TRANSLATE_NOOP("GuideWindow", "使い方の本文")));

    auto *label = new QLabel(words(QT_TRANSLATE_NOOP("GuideWindow", "検索(&F):")), this);
    label->setBuddy(m_search);
    m_search->setObjectName(QStringLiteral("guideSearch"));
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(words(QT_TRANSLATE_NOOP("GuideWindow", "検索")));
    m_search->setAccessibleDescription(
        words(QT_TRANSLATE_NOOP("GuideWindow", "使い方の中で探す言葉。Enter か F3 で次、Shift+F3 で前を探します")));
    auto *next = new QPushButton(words(QT_TRANSLATE_NOOP("GuideWindow", "次を検索(&N)")), this);
    auto *previous = new QPushButton(words(QT_TRANSLATE_NOOP("GuideWindow", "前を検索(&P)")), this);
    auto *close = new QPushButton(words(QT_TRANSLATE_NOOP("GuideWindow", "閉じる")), this);
    next->setObjectName(QStringLiteral("guideNext"));
    previous->setObjectName(QStringLiteral("guidePrevious"));
    close->setObjectName(QStringLiteral("guideClose"));
    m_result->setObjectName(QStringLiteral("guideResult"));

    auto *bar = new QHBoxLayout;
    bar->addWidget(label);
    bar->addWidget(m_search, 1);
    bar->addWidget(next);
    bar->addWidget(previous);
    bar->addWidget(m_result);
    bar->addStretch();
    bar->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    connect(m_search, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(next, &QPushButton::clicked, this, [this] { findNext(); });
    connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    const auto shortcut = [this](const QKeySequence &keys, auto handler) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    shortcut(QKeySequence::Find, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    shortcut(QKeySequence(Qt::Key_F3), [this] { findNext(); });
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { findNext(true); });
    shortcut(QKeySequence(Qt::Key_Escape), [this] { QWidget::close(); });
    resize(760, 620);
}

bool GuideWindow::findNext(bool backwards)
{
    const QString sought = m_search->text().trimmed();
    m_result->clear();
    if (sought.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_browser->find(sought, flags))
        return true;
    // Round once: from the other end of the text.
    QTextCursor cursor = m_browser->textCursor();
    cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    if (m_browser->find(sought, flags))
        return true;
    m_result->setText(words(QT_TRANSLATE_NOOP("GuideWindow", "「%1」は見つかりません")).arg(sought));
    return false;
}
