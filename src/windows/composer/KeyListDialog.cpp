#include "windows/composer/KeyListDialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "widgets/NoteKeys.h"

// Each key beside what it does, in three columns of pairs: the keyboard's
// twelve keys fill the first, so each pitch key stands beside its note.
KeyListDialog::KeyListDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::translate("KeyListDialog", "キー操作"));
    auto *layout = new QGridLayout(this);
    layout->setHorizontalSpacing(12);
    const QList<std::pair<QString, QString>> keys = NoteKeys::keyList();
    constexpr int Rows = 15;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const int row = int(i % Rows);
        const int column = int(i / Rows) * 2;
        auto *keyLabel = new QLabel(keys[i].first, this);
        QFont bold = keyLabel->font();
        bold.setBold(true);
        keyLabel->setFont(bold);
        auto *meaning = new QLabel(keys[i].second, this);
        keyLabel->setAccessibleName(keys[i].first);
        meaning->setAccessibleName(keys[i].first + QStringLiteral(": ") + keys[i].second);
        layout->addWidget(keyLabel, row, column, Qt::AlignRight);
        layout->addWidget(meaning, row, column + 1);
    }
    auto *close = new QPushButton(QCoreApplication::translate("KeyListDialog", "閉じる"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, Rows, layout->columnCount() - 1, Qt::AlignRight);
}
