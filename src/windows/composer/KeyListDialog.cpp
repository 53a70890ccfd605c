#include "windows/composer/KeyListDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "widgets/NoteKeys.h"

KeyListDialog::KeyListDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("キー操作"));
    auto *layout = new QGridLayout(this);
    int row = 0;
    for (const auto &[key, meaning] : NoteKeys::keyList()) {
        auto *keyLabel = new QLabel(key, this);
        QFont bold = keyLabel->font();
        bold.setBold(true);
        keyLabel->setFont(bold);
        layout->addWidget(keyLabel, row, 0);
        layout->addWidget(new QLabel(meaning, this), row, 1);
        ++row;
    }
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, row, 1, Qt::AlignRight);
}
