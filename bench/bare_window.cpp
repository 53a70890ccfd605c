// The baseline of startup_bench: a bare Qt window with the tempo window's
// four controls, their places and their texts, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("テンポ設定"));
    window.resize(188, 58);
    auto *tempo = new QLineEdit(QStringLiteral("80"), &window);
    tempo->setGeometry(48, 16, 41, 25);
    auto *label = new QLabel(QStringLiteral("テンポ"), &window);
    label->setGeometry(8, 24, 32, 12);
    auto *start = new QPushButton(QStringLiteral("開始"), &window);
    start->setGeometry(96, 0, 89, 25);
    auto *end = new QPushButton(QStringLiteral("終了"), &window);
    end->setGeometry(96, 32, 89, 25);
    window.show();
    return application.exec();
}
