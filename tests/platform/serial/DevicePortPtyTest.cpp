// The device port on a pseudo-terminal: the master side stands in for the instrument.
#include "platform/serial/DevicePort.h"

#include <gtest/gtest.h>

#include "support/AppEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace tovu::platform::serial;

TOVU_TEST_APPLICATION(QCoreApplication)

namespace {

struct Pty {
    int master = -1;
    QString slavePath;
    Pty()
    {
        int slave = -1;
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return;
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
        ::close(slave);  // the port opens its own descriptor; the master keeps the pty alive
        slavePath = QString::fromLocal8Bit(name);
        fcntl(master, F_SETFL, O_NONBLOCK);
    }
    ~Pty() { closeMaster(); }
    void closeMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    QByteArray readAll()
    {
        QByteArray out;
        char buf[256];
        for (int i = 0; i < 50; ++i) {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0)
                out.append(buf, n);
            else
                usleep(2000);
        }
        return out;
    }
};

PortMap mapTo(const QString& path)
{
    return PortMap([path](const QString& section, const QString& key) {
        return section == QLatin1String("Ports") && key == QLatin1String("COM1") ? path : QString();
    });
}

} // namespace

TEST(DevicePortPty, TalksBothWaysThroughTheMappedDevice)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    DevicePort port(mapTo(pty.slavePath));
    port.setSettings(QStringLiteral("38400,N,8,1"));
    port.setPortOpen(true);
    ASSERT_TRUE(port.portOpen());

    termios t{};
    ASSERT_EQ(tcgetattr(pty.master, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B38400));

    port.output("ARM\r");
    EXPECT_EQ(pty.readAll(), QByteArray("ARM\r"));

    ASSERT_EQ(::write(pty.master, "\x06\r", 2), 2);
    port.setInputLen(1);
    ASSERT_TRUE(port.waitForInput(1000));
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (got.size() < 2 && timer.elapsed() < 2000)
        got += port.input();
    EXPECT_EQ(got, QByteArray("\x06\r"));

    port.setSettings(QStringLiteral("9600,N,8,1"));
    ASSERT_EQ(tcgetattr(pty.master, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
}

TEST(DevicePortPty, AMissingDeviceGivesOneErrorNamingIt)
{
    DevicePort port(mapTo(QStringLiteral("/dev/tovu-no-such-port")));
    try {
        port.setPortOpen(true);
        FAIL() << "opened";
    } catch (const PortError& e) {
        EXPECT_TRUE(e.device().contains(QStringLiteral("/dev/tovu-no-such-port")));
        EXPECT_TRUE(QString::fromStdString(e.what()).contains(QStringLiteral("COM1")));
    }
    EXPECT_FALSE(port.portOpen());
}

TEST(DevicePortPty, AClosedFarEndIsAPortErrorNotAHang)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    DevicePort port(mapTo(pty.slavePath));
    port.setPortOpen(true);
    pty.closeMaster();
    QElapsedTimer timer;
    timer.start();
    bool raised = false;
    try {
        while (timer.elapsed() < 3000) {
            port.waitForInput(50);
            port.input();
        }
    } catch (const PortError&) {
        raised = true;
    }
    EXPECT_TRUE(raised);
}
