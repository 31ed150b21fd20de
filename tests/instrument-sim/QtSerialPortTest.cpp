// The simulator seen through QSerialPort, the way the program's serial layer opens it:
// the rate it sets is the rate the instrument hears, and closing and reopening works.

#include "instrument-sim/InstrumentSimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>

#include <gtest/gtest.h>

namespace tovu::sim {
namespace {

QByteArray exchange(QSerialPort& port, const QByteArray& command, int timeoutMs = 1000) {
  port.clear();
  port.write(command + "\r");
  port.waitForBytesWritten(timeoutMs);
  QByteArray reply;
  QElapsedTimer timer;
  timer.start();
  while (!reply.endsWith('\r') && timer.elapsed() < timeoutMs) {
    if (port.bytesAvailable() == 0) port.waitForReadyRead(20);
    reply += port.read(1);  // one character per read, as the program polls
  }
  return reply;
}

bool openAt(QSerialPort& port, const std::string& path, int baud) {
  port.setPortName(QString::fromStdString(path));
  if (!port.open(QIODevice::ReadWrite)) return false;
  return port.setBaudRate(baud) && port.setDataBits(QSerialPort::Data8) && port.setParity(QSerialPort::NoParity) &&
         port.setStopBits(QSerialPort::OneStop) && port.setFlowControl(QSerialPort::NoFlowControl);
}

TEST(QtSerialPort, ScansRatesAndReopensThePort) {
  int argc = 0;
  QCoreApplication app(argc, nullptr);
  SimOptions o;
  o.baud = 57600;
  o.instrument.seedMemory = false;
  InstrumentSimulator sim(o);
  ASSERT_TRUE(sim.start());

  QList<int> answered;
  for (int rate : {115200, 57600, 38400, 19200, 9600}) {
    QSerialPort port;
    ASSERT_TRUE(openAt(port, sim.slavePath(), rate)) << port.errorString().toStdString();
    if (exchange(port, "ARM", 300) == QByteArray("\x06\r")) answered << rate;
    port.close();
  }
  EXPECT_EQ(answered, QList<int>{57600});

  for (int round = 0; round < 3; ++round) {
    QSerialPort port;
    ASSERT_TRUE(openAt(port, sim.slavePath(), 57600)) << "round " << round << ": " << port.errorString().toStdString();
    EXPECT_EQ(exchange(port, "ARM"), QByteArray("\x06\r"));
    EXPECT_EQ(exchange(port, "RGN"), QByteArray("GN,40.0\r"));
    EXPECT_EQ(exchange(port, "ALM"), QByteArray("\x06\r"));
    port.close();
  }
  EXPECT_EQ(sim.portBaud(), 57600);
}

}  // namespace
}  // namespace tovu::sim
