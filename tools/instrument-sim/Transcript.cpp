#include "Transcript.h"

#include "SimText.h"

namespace tovu::sim {

bool Transcript::openFile(const std::string& path) {
  std::lock_guard lock(mutex_);
  file_.open(path, std::ios::out | std::ios::trunc);
  return file_.is_open();
}

std::string Transcript::format(const TranscriptEntry& e) {
  std::string out = "> " + escapeBytes(e.received) + "\n";
  if (!e.sent.empty()) out += "< " + escapeBytes(e.sent) + "\n";
  if (!e.note.empty()) out += "# " + e.note + "\n";
  return out;
}

void Transcript::add(const TranscriptEntry& entry) {
  std::lock_guard lock(mutex_);
  entries_.push_back(entry);
  if (file_.is_open()) file_ << format(entry) << std::flush;
}

std::vector<TranscriptEntry> Transcript::entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

void Transcript::clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

bool Transcript::writeFile(const std::string& path) const {
  std::ofstream out(path, std::ios::out | std::ios::trunc);
  for (const auto& e : entries()) out << format(e);
  return static_cast<bool>(out);
}

}  // namespace tovu::sim
