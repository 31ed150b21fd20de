#include "PtyPort.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace tovu::sim {

namespace {
const std::array<std::pair<speed_t, int>, 12> kSpeeds = {{
    {B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600}, {B19200, 19200}, {B38400, 38400},
    {B57600, 57600}, {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
    {B0, 0},
}};
}  // namespace

int baudOfSpeed(unsigned speed) {
  for (const auto& [s, b] : kSpeeds)
    if (s == speed) return b;
  return 0;
}

std::optional<unsigned> speedOfBaud(int baud) {
  for (const auto& [s, b] : kSpeeds)
    if (b == baud && b != 0) return s;
  return std::nullopt;
}

PtyPort::~PtyPort() { close(); }

bool PtyPort::open(int baud, std::string* error) {
  const auto speed = speedOfBaud(baud);
  if (!speed) {
    if (error) *error = "unsupported baud rate " + std::to_string(baud);
    return false;
  }
  char name[256] = {};
  int master = -1, slave = -1;
  if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    if (error) *error = std::string("openpty: ") + std::strerror(errno);
    return false;
  }
  master_ = master;
  slave_ = slave;
  slavePath_ = name;
  // Raw both ways: in canonical mode CR would become NL and byte 21 would kill the line.
  termios tio{};
  ::tcgetattr(slave_, &tio);
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  ::cfsetispeed(&tio, *speed);
  ::cfsetospeed(&tio, *speed);
  ::tcsetattr(slave_, TCSANOW, &tio);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  return true;
}

void PtyPort::close() {
  if (const int fd = master_.exchange(-1); fd >= 0) ::close(fd);
  if (const int fd = slave_.exchange(-1); fd >= 0) ::close(fd);
}

int PtyPort::slaveBaud() const {
  termios tio{};
  const int fd = slave_;
  if (fd < 0 || ::tcgetattr(fd, &tio) != 0) return 0;
  return baudOfSpeed(::cfgetospeed(&tio));
}

void PtyPort::allowReopen() {
  if (slave_ >= 0) ::ioctl(slave_, TIOCNXCL);
}

int PtyPort::unread() const {
  int n = 0;
  if (slave_ < 0 || ::ioctl(slave_, FIONREAD, &n) != 0) return 0;
  return n;
}

std::optional<std::string> PtyPort::read(int timeoutMs) {
  if (master_ < 0) return std::nullopt;
  pollfd p{master_, POLLIN, 0};
  const int n = ::poll(&p, 1, timeoutMs);
  if (n < 0) return errno == EINTR ? std::optional<std::string>(std::string()) : std::nullopt;
  if (n == 0 || !(p.revents & POLLIN)) return std::string();
  char buffer[4096];
  const ssize_t got = ::read(master_, buffer, sizeof buffer);
  if (got > 0) return std::string(buffer, static_cast<std::size_t>(got));
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return std::string();
  // EIO cannot come while our own slave descriptor is open; treat anything else as gone.
  return std::nullopt;
}

bool PtyPort::write(const std::string& bytes, const std::atomic<bool>& stop) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    if (master_ < 0 || stop) return false;
    const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd p{master_, POLLOUT, 0};
      ::poll(&p, 1, 10);  // the program is not reading: wait for room
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace tovu::sim
