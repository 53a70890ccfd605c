#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

// 「使い方」: the user's guide in a window of its own, with its contents
// linked and a search field (Ctrl+F; Enter or F3 finds the next place,
// Shift+F3 the one before, from the end again after the last).
class GuideWindow : public QWidget {
    Q_OBJECT

public:
    explicit GuideWindow(QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }
    QLineEdit *searchField() const { return m_search; }
    // "「…」は見つかりません" after a search that found nothing, else empty.
    QLabel *searchResult() const { return m_result; }

    // Selects the next place the search field's words are, going round once;
    // false when they are nowhere.
    bool findNext(bool backwards = false);

private:
    QTextBrowser *m_browser;
    QLineEdit *m_search;
    QLabel *m_result;
};
