#include "InstrumentSimulator.h"

#include "SimText.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tovu::sim {

InstrumentSimulator::InstrumentSimulator(SimOptions options)
    : options_(std::move(options)),
      state_(makeInstrument(options_.instrument)),
      engine_(state_, options_.protocol),
      baud_(options_.baud),
      mismatch_(options_.mismatch) {
  for (const auto& f : options_.faults) faults_.add(f);
}

InstrumentSimulator::~InstrumentSimulator() { stop(); }

bool InstrumentSimulator::start(std::string* error) {
  if (thread_.joinable()) return true;
  if (!port_.open(options_.baud, error)) return false;
  slavePath_ = port_.slavePath();
  if (!options_.linkPath.empty()) {
    std::error_code ec;
    if (std::filesystem::is_symlink(options_.linkPath, ec)) std::filesystem::remove(options_.linkPath, ec);
    std::filesystem::create_symlink(slavePath_, options_.linkPath, ec);
    if (ec) {
      if (error) *error = "cannot link " + options_.linkPath + ": " + ec.message();
      port_.close();
      return false;
    }
  }
  if (!options_.logPath.empty() && !transcript_.openFile(options_.logPath)) {
    if (error) *error = "cannot write " + options_.logPath;
    port_.close();
    return false;
  }
  started_ = Clock::now();
  stop_ = false;
  finished_ = false;
  thread_ = std::thread([this] { run(); });
  return true;
}

void InstrumentSimulator::stop() {
  {
    std::lock_guard lock(sleepMutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  port_.close();
  if (!options_.linkPath.empty()) {
    std::error_code ec;
    if (std::filesystem::is_symlink(options_.linkPath, ec)) std::filesystem::remove(options_.linkPath, ec);
  }
}

InstrumentState InstrumentSimulator::state() const {
  std::lock_guard lock(mutex_);
  return state_;
}

void InstrumentSimulator::editState(const std::function<void(InstrumentState&)>& edit) {
  std::lock_guard lock(mutex_);
  edit(state_);
}

void InstrumentSimulator::addFault(const FaultRule& rule) {
  std::lock_guard lock(mutex_);
  faults_.add(rule);
}

void InstrumentSimulator::clearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

bool InstrumentSimulator::waitForTranscript(std::size_t count, int timeoutMs) const {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (transcript_.entries().size() < count) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

bool InstrumentSimulator::sleepUntil(Clock::time_point t) {
  std::unique_lock lock(sleepMutex_);
  return !wake_.wait_until(lock, t, [this] { return stop_.load(); });
}

bool InstrumentSimulator::sleepMs(double instrumentMs) {
  const double ms = instrumentMs * options_.timeScale;
  if (ms <= 0) return !stop_;
  return sleepUntil(Clock::now() + std::chrono::microseconds(static_cast<long long>(ms * 1000.0)));
}

InstrumentSimulator::Clock::duration InstrumentSimulator::byteTime() const {
  const int rate = baud_ > 0 ? baud_.load() : 115200;
  return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000LL / rate));
}

std::string InstrumentSimulator::garbage(int count) {
  // What a line at the wrong rate delivers: framing errors, mostly high bytes, never a
  // status code or a carriage return.
  std::string bytes;
  for (int i = 0; i < count; ++i) {
    noise_ = noise_ * 1664525u + 1013904223u;
    bytes += static_cast<char>(0x80 + (noise_ >> 24) % 0x7F);
  }
  return bytes;
}

void InstrumentSimulator::run() {
  std::string line;
  Clock::time_point lineStart{};
  while (!stop_) {
    const auto chunk = port_.read(10);
    if (!chunk) {
      closed_ = true;
      break;
    }
    if (chunk->empty()) {
      port_.allowReopen();
      continue;
    }
    bytesReceived_ += chunk->size();
    const auto arrived = Clock::now();
    const int rate = port_.slaveBaud();
    if (rate != baud_) {
      line.clear();
      mismatch(*chunk, rate);
      continue;
    }
    for (char c : *chunk) {
      if (line.empty()) lineStart = arrived;
      if (c == '\r') {
        process(line, lineStart);
        line.clear();
        if (stop_ || closed_) break;
      } else if (line.size() < 65536) {
        line += c;
      }
    }
    if (closed_) break;
  }
  finished_ = true;
}

void InstrumentSimulator::mismatch(const std::string& bytes, int rate) {
  TranscriptEntry e;
  e.timeMs = std::chrono::duration<double, std::milli>(Clock::now() - started_).count();
  e.received = bytes;
  e.note = "baud mismatch: port at " + std::to_string(rate) + ", instrument at " + std::to_string(baud_.load());
  if (mismatch_ == MismatchMode::Garbage) {
    e.sent = garbage(1 + static_cast<int>(bytes.size() % 7)) + "\r";
    port_.write(e.sent, stop_);
  }
  transcript_.add(e);
}

void InstrumentSimulator::process(const std::string& line, Clock::time_point arrived) {
  TranscriptEntry e;
  e.timeMs = std::chrono::duration<double, std::milli>(Clock::now() - started_).count();
  e.received = line;
  std::string command = line;
  while (!command.empty() && (command.front() == '\n' || command.front() == '\0')) command.erase(0, 1);
  command = command.substr(0, 3);

  Reply reply;
  double dribbleMs = 0, delayMs = options_.replyDelayMs;
  int closeAfter = -1, garbageBytes = -1, noiseBytes = 0;
  bool noCr = false;
  FaultKind garble = FaultKind::Nak;  // a kind that garbles nothing
  {
    std::lock_guard lock(mutex_);
    bool execute = true;
    // An empty line is no command: no fault rule counts it.
    for (const auto& f : command.empty() ? std::vector<FaultRule>() : faults_.take(command)) {
      e.note += (e.note.empty() ? "fault " : ", ") + faultKindName(f.kind);
      switch (f.kind) {
        case FaultKind::Nak: reply = {{std::string(1, kNak) + "\r", 0}}, execute = false; break;
        case FaultKind::Silence: reply.clear(), execute = false; break;
        case FaultKind::Delay: delayMs += f.param; break;
        case FaultKind::Garbage: garbageBytes = f.param; break;
        case FaultKind::Noise: noiseBytes += f.param; break;
        case FaultKind::Dribble: dribbleMs = f.param; break;
        case FaultKind::NoCr: noCr = true; break;
        case FaultKind::Close: closeAfter = f.param; break;
        case FaultKind::NotANumber:
        case FaultKind::ExtraField:
        case FaultKind::CutShort: garble = f.kind; break;
      }
    }
    if (execute) reply = engine_.handle(line);
  }
  if (!reply.empty()) reply.back().bytes = garbledReply(garble, reply.back().bytes);
  if (garbageBytes >= 0 && !reply.empty()) reply = {{garbage(garbageBytes) + "\r", reply.front().pauseMs}};
  if (noiseBytes > 0) {
    if (reply.empty()) reply.push_back({});
    reply.front().bytes = garbage(noiseBytes) + reply.front().bytes;
  }
  if (noCr && !reply.empty() && !reply.back().bytes.empty() && reply.back().bytes.back() == '\r') reply.back().bytes.pop_back();
  if (!reply.empty()) reply.front().pauseMs += delayMs;

  // On a real line the command itself took its bit times to arrive.
  const auto earliest = options_.paceAtBaud ? arrived + byteTime() * static_cast<long>(line.size() + 1) : arrived;
  e.sent = deliver(reply, earliest, dribbleMs, closeAfter);
  if (closeAfter >= 0) {
    // Hanging up a pseudo-terminal discards what the program has not read yet, unlike a
    // pulled cable; so let the bytes already sent reach it first.
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    sleepUntil(Clock::now() + std::chrono::milliseconds(20));  // bytes still on their way in the kernel
    while (port_.unread() > 0 && Clock::now() < deadline && sleepUntil(Clock::now() + std::chrono::milliseconds(2))) {
    }
    port_.close();
    e.note += ", line closed";
  }
  transcript_.add(e);
  if (closeAfter >= 0) closed_ = true;  // after the entry, so whoever sees it closed sees why
}

std::string InstrumentSimulator::deliver(const Reply& reply, Clock::time_point earliest, double dribbleMs,
                                         int closeAfter) {
  std::string sent;
  if (closeAfter == 0 || !sleepUntil(earliest)) return sent;
  const auto dribble = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double, std::milli>(dribbleMs * options_.timeScale));
  for (const auto& part : reply) {
    if (!sleepMs(part.pauseMs)) return sent;
    std::string bytes = part.bytes;
    if (closeAfter > 0 && sent.size() + bytes.size() > static_cast<std::size_t>(closeAfter))
      bytes.resize(closeAfter - sent.size());
    if (dribbleMs > 0) {
      // One byte at a time, each no sooner than the dribble gap (or its bit times) after the last.
      const auto gap = options_.paceAtBaud ? std::max(dribble, byteTime()) : dribble;
      for (char c : bytes) {
        if (!port_.write(std::string(1, c), stop_)) return sent;
        sent += c;
        if (!sleepUntil(Clock::now() + gap)) return sent;
      }
    } else if (options_.paceAtBaud) {
      // Byte i leaves at t0 + i bit-frames; whatever is due goes out in one write.
      const auto t0 = Clock::now();
      const auto frame = byteTime();
      std::size_t i = 0;
      while (i < bytes.size()) {
        const auto due = std::min<std::size_t>(bytes.size(), (Clock::now() - t0) / frame + 1);
        if (due > i) {
          if (!port_.write(bytes.substr(i, due - i), stop_)) return sent;
          sent += bytes.substr(i, due - i);
          i = due;
        } else if (!sleepUntil(t0 + frame * static_cast<long>(i))) {
          return sent;
        }
      }
      if (!sleepUntil(t0 + frame * static_cast<long>(bytes.size()))) return sent;
    } else {
      if (!port_.write(bytes, stop_)) return sent;
      sent += bytes;
    }
    if (closeAfter > 0 && sent.size() >= static_cast<std::size_t>(closeAfter)) break;
  }
  return sent;
}

}  // namespace tovu::sim
