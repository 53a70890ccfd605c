#include "widgets/ClickableLabel.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {

class ClickableLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickableLabelAccessible(ClickableLabel *label)
        : QAccessibleWidget(label, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text kind) const override
    {
        const auto *label = static_cast<const ClickableLabel *>(widget());
        if (kind == QAccessible::Name)
            return label->accessibleName().isEmpty() ? label->text() : label->accessibleName();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<ClickableLabel *>(widget())->clicked();
    }
};

QAccessibleInterface *clickableLabelInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickableLabel") && object && object->isWidgetType())
        return new ClickableLabelAccessible(static_cast<ClickableLabel *>(object));
    return nullptr;
}

} // namespace

void ClickableLabel::installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(clickableLabelInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

ClickableLabel::ClickableLabel(QWidget *parent)
    : QLabel(parent)
{ }

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}
