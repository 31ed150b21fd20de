#pragma once
// The instrument's end of a pseudo-terminal pair: the master side the simulator reads and
// writes, and the slave device the program opens as its serial port. The simulator keeps a
// slave descriptor of its own open, so the pair survives the program closing and reopening
// the port, and reads the rate the program set from it.

#include <atomic>
#include <optional>
#include <string>

namespace tovu::sim {

class PtyPort {
 public:
  PtyPort() = default;
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;
  ~PtyPort();

  // Opens a pair, raw, 8N1 at `baud`. On failure returns false with a reason.
  bool open(int baud, std::string* error);
  void close();
  bool isOpen() const { return master_ >= 0; }
  const std::string& slavePath() const { return slavePath_; }

  // The rate currently set on the slave (output speed), 0 when not one of ours.
  int slaveBaud() const;

  // Waits up to `timeoutMs` for bytes; an empty text when none came, nothing when the
  // pair is gone.
  std::optional<std::string> read(int timeoutMs);

  // Lifts an exclusive-use lock the program's serial layer may have left on the device: our
  // own descriptor keeps the device from ever closing fully, which would otherwise keep the
  // lock and refuse the program's next open.
  void allowReopen();

  // Bytes written that the program has not read yet.
  int unread() const;

  // Writes all bytes, waiting for room while `stop` is clear; false when they could not go.
  bool write(const std::string& bytes, const std::atomic<bool>& stop);

 private:
  // Atomic because the test's thread may ask the rate while a close fault ends the line.
  std::atomic<int> master_{-1};
  std::atomic<int> slave_{-1};
  std::string slavePath_;
};

int baudOfSpeed(unsigned speed);
std::optional<unsigned> speedOfBaud(int baud);

}  // namespace tovu::sim
