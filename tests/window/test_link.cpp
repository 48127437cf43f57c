#include <QComboBox>
#include <QPushButton>
#include <QSerialPort>
#include <gtest/gtest.h>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "support/Pty.h"
#include "link/DeviceSpeed.h"
#include "support/Window.h"
#include "ui_TForm1.h"

namespace {

class LinkTest : public ::testing::Test {
protected:
    void TearDown() override { CloseBoxes(); }

    void Open(TForm1& form, const std::string& path, int speedItem) {
        auto* ui = form.Controls();
        ui->ComboBox2->setEditText(QString::fromStdString(path));
        if (speedItem >= 0) SelectItem(ui->ComboBox1, speedItem);
        ui->Button1->click();
    }
};

const char* const kPortControls[] = {
    "hot",        "warm",       "cold",      "StartLog",   "btAllQuery", "btAllSet",   "btNAQuery",  "btDefault",
    "btConfirm",  "btDGQuery",  "btDGPSSet", "btDaQuery",  "btDatumSet", "btSBASSet",  "btSBASQuery", "btVerQuery",
    "btFixQuery", "btFixSet",   "btWakeup",  "btBAUSet",   "CheckBox8",  "cbTest"};

void ExpectPortControls(TForm1& form, bool enabled) {
    for (const char* name : kPortControls) {
        auto* w = form.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->isEnabled(), enabled) << name;
    }
}

TEST_F(LinkTest, OpensAtChosenSpeed8N1AndClosesAgain) {
    struct Case {
        int item;
        int bps;
    } cases[] = {{-1, 115200}, {0, 4800}, {1, 9600}, {4, 38400}};
    for (const Case& c : cases) {
        Pty pty;
        TForm1 form;
        Open(form, pty.Path(), c.item);
        auto* ui = form.Controls();
        ASSERT_EQ(ui->Button1->text(), "OFF") << c.bps;
        const termios t = pty.Settings();
        EXPECT_EQ(pty.Speed(), c.bps);
        EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_FALSE(t.c_cflag & PARENB);
        EXPECT_FALSE(t.c_cflag & CSTOPB);
        EXPECT_FALSE(t.c_cflag & CRTSCTS);
        EXPECT_TRUE(form.Timer3->enabled());
        EXPECT_TRUE(form.Timer2->enabled());
        ExpectPortControls(form, true);
        EXPECT_FALSE(ui->StopLog->isEnabled());

        ui->Button1->click();
        EXPECT_EQ(ui->Button1->text(), "On");
        EXPECT_FALSE(form.State().PortHandle);
        EXPECT_FALSE(form.Timer1->enabled());
        EXPECT_FALSE(form.Timer2->enabled());
        EXPECT_FALSE(form.Timer3->enabled());
        EXPECT_EQ(ui->Edit1->text(), "0");
        ExpectPortControls(form, false);
        EXPECT_FALSE(ui->StopLog->isEnabled());
    }
}

TEST_F(LinkTest, FailedOpenShowsOpenComErrorAndStaysClosed) {
    Pty held;
    QSerialPort other;
    other.setPortName(QString::fromStdString(held.Path()));
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));

    for (const std::string& path : {std::string("/dev/tarnell-no-such-device"), held.Path()}) {
        TForm1 form;
        auto box = TakeBox([&] { Open(form, path, 1); });
        EXPECT_EQ(box.first, "OPEN COM ERROR") << path;
        EXPECT_EQ(box.second, "error");
        auto* ui = form.Controls();
        EXPECT_EQ(ui->Button1->text(), "On");
        EXPECT_FALSE(form.State().PortHandle);
        EXPECT_FALSE(form.Timer1->enabled());
        EXPECT_FALSE(form.Timer2->enabled());  // it ran from start
        EXPECT_FALSE(form.Timer3->enabled());
        ExpectPortControls(form, false);
    }
}

TEST_F(LinkTest, NextOpenStartsFromTheSettingsReadBack) {
    Pty pty;
    TForm1 form;
    Open(form, pty.Path(), 0);
    // Someone else changes the line under us; the receive side reads it back.
    termios t = pty.Settings();
    t.c_cflag |= CRTSCTS;
    ASSERT_EQ(tcsetattr(pty.Master(), TCSANOW, &t), 0);
    ASSERT_TRUE(ReadPortSettings(*form.State().PortHandle, form.State().PortSettings));
    form.Controls()->Button1->click();

    Open(form, pty.Path(), 1);
    const termios after = pty.Settings();
    EXPECT_EQ(pty.Speed(), 9600);
    EXPECT_TRUE(after.c_cflag & CRTSCTS);  // carried over from the read-back
    EXPECT_EQ(form.State().PortSettings.BaudRate, 9600);
    EXPECT_EQ(form.State().PortSettings.ByteSize, 8);
}

TEST_F(LinkTest, PortDeviceNames) {
    EXPECT_EQ(PortDevice(0, "COM1"), "/dev/ttyS0");
    EXPECT_EQ(PortDevice(19, "COM20"), "/dev/ttyS19");
    EXPECT_EQ(PortDevice(-1, "COM1"), "/dev/ttyS0");
    EXPECT_EQ(PortDevice(-1, "/tmp/gps-link"), "/tmp/gps-link");
    EXPECT_EQ(PortDevice(-1, "null"), "/dev/null");
    EXPECT_EQ(PortDevice(-1, "no-such-tty-here"), "/dev/ttyS0");
}

TEST_F(LinkTest, FormCloseWithAndWithoutAnOpenPort) {
    {
        TForm1 form;
        form.FormClose();
        EXPECT_EQ(form.Controls()->Button1->text(), "On");
    }
    Pty pty;
    TForm1 form;
    Open(form, pty.Path(), 1);
    ASSERT_TRUE(form.State().PortHandle);
    form.FormClose();
    EXPECT_FALSE(form.State().PortHandle);
    EXPECT_FALSE(form.Timer1->enabled());
    // The device is free again: another opener gets it.
    QSerialPort again;
    again.setPortName(QString::fromStdString(pty.Path()));
    EXPECT_TRUE(again.open(QIODevice::ReadWrite));
}

TEST(VclTimer, EnablingAnEnabledTimerKeepsItsCountdown) {
    QObject owner;
    VclTimer t(&owner, "T", false, 80);
    int ticks = 0;
    QObject::connect(&t, &VclTimer::OnTimer, [&] { ++ticks; });
    t.setEnabled(true);
    QDeadlineTimer started(QDeadlineTimer::Forever);
    QElapsedTimer clock;
    clock.start();
    // Re-enabling every few ms would starve a restarting timer for ever.
    ASSERT_TRUE(WaitFor([&] {
        t.setEnabled(true);
        return ticks > 0;
    }, 2000));
    t.setEnabled(false);
    const int seen = ticks;
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, seen);
    EXPECT_FALSE(t.enabled());
    t.setInterval(50);
    EXPECT_EQ(t.property("interval").toInt(), 50);
    EXPECT_FALSE(t.property("enabled").toBool());
}

}  // namespace
