#pragma once

#include <memory>

#include <QDialog>

#include "sysinfo/SysInfoStarter.h"

namespace Ui {
class AboutWindow;
}

// The about window: title, version, a description, and a button that starts
// the system information tool. It keeps no state and leaves the score alone.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    AboutWindow(SysInfoStarter &sysInfo, QWidget *parent = nullptr);
    ~AboutWindow() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Ui::AboutWindow> m_ui;
    SysInfoStarter &m_sysInfo;
};
