#pragma once
// The test's end of the line: opens a slave device as a raw 8N1 serial port at a rate, the
// way the program's serial layer does, and exchanges CR-terminated commands.

#include <chrono>
#include <optional>
#include <string>

namespace tovu::sim::test {

class SerialClient {
 public:
  SerialClient() = default;
  SerialClient(const SerialClient&) = delete;
  SerialClient& operator=(const SerialClient&) = delete;
  ~SerialClient();

  bool open(const std::string& path, int baud);
  void close();
  bool setBaud(int baud);

  void send(const std::string& command);  // adds the carriage return
  void sendRaw(const std::string& bytes);
  // Bytes up to and including the next CR; nothing when none came in time.
  std::optional<std::string> readLine(int timeoutMs = 2000);
  // Everything that arrives until the line has been quiet for `quietMs`.
  std::string readQuiet(int quietMs);
  // One command, its reply line (CR included); empty when none came.
  std::string ask(const std::string& command, int timeoutMs = 2000);
  void drain();

 private:
  int fd_ = -1;
  std::string pending_;
};

inline std::string ack() { return "\x06\r"; }
inline std::string nak() { return "\x15\r"; }
inline std::string notAvailable() { return "\x07\r"; }

}  // namespace tovu::sim::test
