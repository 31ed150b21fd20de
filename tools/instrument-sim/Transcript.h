#pragma once
// The record of what crossed the wire: every command line received and the bytes sent back,
// kept in memory for tests and optionally written to a file as it happens.

#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace tovu::sim {

struct TranscriptEntry {
  double timeMs = 0;      // since the simulator started, when the command was complete
  std::string received;   // the command line without its carriage return, or raw bytes when unreadable
  std::string sent;       // every byte sent in answer, carriage returns included
  std::string note;       // faults applied, baud mismatch, closing
};

class Transcript {
 public:
  // File lines: "> " and the command, "< " and the reply, "# " and a note, bytes escaped.
  bool openFile(const std::string& path);
  void add(const TranscriptEntry& entry);
  std::vector<TranscriptEntry> entries() const;
  void clear();
  bool writeFile(const std::string& path) const;
  static std::string format(const TranscriptEntry& entry);

 private:
  mutable std::mutex mutex_;
  std::vector<TranscriptEntry> entries_;
  std::ofstream file_;
};

}  // namespace tovu::sim
