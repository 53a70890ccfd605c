#include "windows/about/AboutWindow.h"

#include <QCoreApplication>
#include <QPainter>

#include "base/Message.h"
#include "base/ProgramInfo.h"
#include "ui_AboutWindow.h"
#include "widgets/AppIcon.h"

namespace {

// The etched separator above the buttons: a grey line with a white one below.
struct SeparatorLine {
    QLineF line;
    QColor colour;
    int width;
};
const SeparatorLine SeparatorLines[] = {
    {QLineF(90 / 15.0, 2445 / 15.0, 5654 / 15.0, 2445 / 15.0), QColor(128, 128, 128), 1},
    {QLineF(105 / 15.0, 2460 / 15.0, 5654 / 15.0, 2460 / 15.0), QColor(255, 255, 255), 1},
};

} // namespace

AboutWindow::AboutWindow(SysInfoStarter &sysInfo, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AboutWindow>())
    , m_sysInfo(sysInfo)
{
    m_ui->setupUi(this);
    // A fixed dialog frame without minimise, maximise or taskbar button that
    // still counts as a window of its own: the program runs while it is open.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, true);
    setModal(false);
    // No icon in the caption: a window without an icon of its own would show
    // the program's, so it gets a blank one, made once for the program's life
    // (each new icon would stay in the icon cache). It is never destroyed:
    // a pixmap must not outlive the application object.
    static const QIcon *const blankIcon = [] {
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        return new QIcon(blank);
    }();
    setWindowIcon(*blankIcon);
    setFixedSize(size());
    // The client area always opens at the same place on the screen.
    setGeometry(QRect(QPoint(156, 129), size()));

    setWindowTitle(QCoreApplication::translate("AboutWindow", "%1のﾊﾞｰｼﾞｮﾝ情報").arg(shownProgramTitle()));
    m_ui->lblVersion->setText(QCoreApplication::translate("AboutWindow", "ﾊﾞｰｼﾞｮﾝ ") + programVersionText());
    m_ui->lblTitle->setText(shownProgramTitle());
    m_ui->picIcon->setPixmap(AppIcon::picture(32));

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, [this] { m_sysInfo.StartSysInfo(); });
    m_ui->cmdOK->setFocus();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const SeparatorLine &separator : SeparatorLines) {
        painter.setPen(QPen(separator.colour, separator.width));
        painter.drawLine(separator.line);
    }
}
