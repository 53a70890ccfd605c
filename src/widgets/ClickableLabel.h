#pragma once

#include <QLabel>

// A label that reports a click: a left press and release inside it. The pitch
// labels of the keyboard are the only labels that take clicks.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

    // A screen reader meets each clickable label as a button ("press"), named
    // by its accessible name or its text. Installed once, before the labels
    // are shown.
    static void installAccessibility();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
