#include "windows/score/NoteCellDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>

namespace {

// More texts than a list shows at once, fewer than a score has numbers.
constexpr qsizetype KeptTexts = 4096;

} // namespace

const QStaticText &NoteCellDelegate::laidOut(const QString &text, const QFont &font) const
{
    if (font != m_font || m_texts.size() > KeptTexts) {
        m_texts.clear();
        m_font = font;
    }
    auto kept = m_texts.find(text);
    if (kept == m_texts.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), font);
        kept = m_texts.insert(text, laid);
    }
    return *kept;
}

void NoteCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    cell.index = index;
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QBrush>())
        cell.backgroundBrush = qvariant_cast<QBrush>(background);
    cell.features |= QStyleOptionViewItem::HasDisplay;
    const QWidget *view = option.widget;
    QStyle *style = view ? view->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, view);

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const QStaticText &laid = laidOut(text, cell.font);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        const QRect room = cell.rect.adjusted(margin, 0, -margin, 0);
        const QSizeF size = laid.size();
        const int alignment = index.data(Qt::TextAlignmentRole).toInt();
        const qreal x = alignment & Qt::AlignRight ? room.right() + 1 - size.width() : room.left();
        const qreal y = room.top() + (room.height() - size.height()) / 2;
        const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
            : cell.state & QStyle::State_Active                                  ? QPalette::Active
                                                                                 : QPalette::Inactive;
        painter->save();
        painter->setClipRect(room);
        painter->setPen(cell.palette.color(
            group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(cell.font);
        painter->drawStaticText(QPointF(x, y), laid);
        painter->restore();
    }
    if (cell.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(cell);
        focus.backgroundColor = cell.palette.color(
            QPalette::Normal, cell.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
    }
}
