#include "SerialClient.h"

#include "instrument-sim/PtyPort.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tovu::sim::test {

using Clock = std::chrono::steady_clock;

SerialClient::~SerialClient() { close(); }

bool SerialClient::open(const std::string& path, int baud) {
  close();
  fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) return false;
  return setBaud(baud);
}

bool SerialClient::setBaud(int baud) {
  const auto speed = speedOfBaud(baud);
  termios tio{};
  if (!speed || ::tcgetattr(fd_, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  tio.c_cflag = (tio.c_cflag & ~(CSIZE | PARENB | CSTOPB)) | CS8 | CLOCAL | CREAD;
  ::cfsetispeed(&tio, *speed);
  ::cfsetospeed(&tio, *speed);
  return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
}

void SerialClient::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  pending_.clear();
}

void SerialClient::sendRaw(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0) done += static_cast<std::size_t>(n);
    else {
      pollfd p{fd_, POLLOUT, 0};
      ::poll(&p, 1, 10);
    }
  }
}

void SerialClient::send(const std::string& command) { sendRaw(command + "\r"); }

std::optional<std::string> SerialClient::readLine(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    if (const auto cr = pending_.find('\r'); cr != std::string::npos) {
      std::string line = pending_.substr(0, cr + 1);
      pending_.erase(0, cr + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[4096];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n > 0) pending_.append(buffer, static_cast<std::size_t>(n));
    else if (n == 0 || (n < 0 && errno != EAGAIN)) return std::nullopt;
  }
}

std::string SerialClient::readQuiet(int quietMs) {
  std::string out = std::move(pending_);
  pending_.clear();
  while (true) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, quietMs) <= 0) return out;
    char buffer[4096];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) return out;
    out.append(buffer, static_cast<std::size_t>(n));
  }
}

std::string SerialClient::ask(const std::string& command, int timeoutMs) {
  send(command);
  return readLine(timeoutMs).value_or("");
}

void SerialClient::drain() {
  pending_.clear();
  ::tcflush(fd_, TCIFLUSH);
}

}  // namespace tovu::sim::test
