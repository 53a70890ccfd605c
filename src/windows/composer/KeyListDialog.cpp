#include "windows/composer/KeyListDialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "widgets/NoteKeys.h"

namespace {

constexpr int Rows = 17;

// Each key beside what it does, in columns of pairs from the grid's column on.
// Gives the column after the last one used.
int addKeys(QGridLayout *layout, const QList<std::pair<QString, QString>> &keys, int firstRow, int firstColumn)
{
    QWidget *parent = layout->parentWidget();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const int row = firstRow + int(i % Rows);
        const int column = firstColumn + int(i / Rows) * 2;
        auto *keyLabel = new QLabel(keys[i].first, parent);
        QFont bold = keyLabel->font();
        bold.setBold(true);
        keyLabel->setFont(bold);
        auto *meaning = new QLabel(keys[i].second, parent);
        keyLabel->setAccessibleName(keys[i].first);
        meaning->setAccessibleName(keys[i].first + QStringLiteral(": ") + keys[i].second);
        layout->addWidget(keyLabel, row, column, Qt::AlignRight);
        layout->addWidget(meaning, row, column + 1);
    }
    return firstColumn + int((keys.size() + Rows - 1) / Rows) * 2;
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

// The keyboard's twelve keys fill the first column, so each pitch key stands
// beside its note; the menu commands' keys follow in columns of their own.
KeyListDialog::KeyListDialog(const QList<std::pair<QString, QString>> &commandKeys, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::translate("KeyListDialog", "キー操作"));
    auto *layout = new QGridLayout(this);
    layout->setHorizontalSpacing(12);
    layout->addWidget(heading(QCoreApplication::translate("KeyListDialog", "音を入れるキー"), this), 0, 0, 1, 2);
    const int next = addKeys(layout, NoteKeys::keyList(), 1, 0);
    layout->addWidget(heading(QCoreApplication::translate("KeyListDialog", "メニューのキー"), this), 0, next, 1, 2);
    addKeys(layout, commandKeys, 1, next);
    auto *close = new QPushButton(QCoreApplication::translate("KeyListDialog", "閉じる"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, Rows + 1, layout->columnCount() - 1, Qt::AlignRight);
}
