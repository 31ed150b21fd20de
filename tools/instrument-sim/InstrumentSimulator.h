#pragma once
// A simulated flaw detector on a pseudo-terminal, running on its own thread, so a program
// (or a test) on the main thread can open the slave device as its serial port and poll it.
//
//   tovu::sim::SimOptions o;
//   o.instrument.model = 36;            // generation follows from the model code
//   o.baud = 38400;                     // answers only when the port is set to 38400
//   tovu::sim::InstrumentSimulator sim(o);
//   sim.start();                        // sim.slavePath() is e.g. /dev/pts/7
//   ... program works on sim.slavePath() ...
//   sim.state().panels, sim.transcript()

#include "FaultPlan.h"
#include "InstrumentState.h"
#include "PtyPort.h"
#include "ProtocolEngine.h"
#include "SimOptions.h"
#include "Transcript.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tovu::sim {

class InstrumentSimulator {
 public:
  explicit InstrumentSimulator(SimOptions options = {});
  InstrumentSimulator(const InstrumentSimulator&) = delete;
  InstrumentSimulator& operator=(const InstrumentSimulator&) = delete;
  ~InstrumentSimulator();

  // Opens the pseudo-terminal (and the --link and --log files) and starts the thread.
  bool start(std::string* error = nullptr);
  // Stops the thread and closes the pseudo-terminal; the state and transcript stay readable.
  void stop();
  bool running() const { return thread_.joinable() && !finished_; }
  // True once a close fault (or the program's side vanishing) has ended the line.
  bool closed() const { return closed_; }

  std::string slavePath() const { return slavePath_; }
  int portBaud() const { return port_.slaveBaud(); }  // the rate the program set

  // A copy of the instrument as it is now, and a change made under the simulator's lock.
  InstrumentState state() const;
  void editState(const std::function<void(InstrumentState&)>& edit);

  std::vector<TranscriptEntry> transcript() const { return transcript_.entries(); }
  void clearTranscript() { transcript_.clear(); }
  bool writeTranscript(const std::string& path) const { return transcript_.writeFile(path); }
  // Bytes read from the line so far, whatever became of them (a test can wait until a
  // partial command has arrived before it sends the rest).
  std::size_t bytesReceived() const { return bytesReceived_; }
  // Waits until at least `count` entries are in the transcript.
  bool waitForTranscript(std::size_t count, int timeoutMs) const;

  void addFault(const FaultRule& rule);
  void clearFaults();
  void setBaud(int baud) { baud_ = baud; }
  void setMismatchMode(MismatchMode mode) { mismatch_ = mode; }

 private:
  using Clock = std::chrono::steady_clock;

  void run();
  void process(const std::string& line, Clock::time_point arrived);
  void mismatch(const std::string& bytes, int rate);
  // Sends the reply parts as the options and faults say; returns the bytes sent.
  std::string deliver(const Reply& reply, Clock::time_point earliest, double dribbleMs, int closeAfter);
  bool sleepUntil(Clock::time_point t);
  bool sleepMs(double instrumentMs);
  Clock::duration byteTime() const;
  std::string garbage(int count);

  SimOptions options_;
  mutable std::mutex mutex_;  // state_, engine_, faults_
  InstrumentState state_;
  ProtocolEngine engine_;
  FaultPlan faults_;
  Transcript transcript_;
  PtyPort port_;
  std::string slavePath_;
  std::atomic<int> baud_;
  std::atomic<MismatchMode> mismatch_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  std::atomic<bool> closed_{false};
  std::atomic<std::size_t> bytesReceived_{0};
  std::mutex sleepMutex_;
  std::condition_variable wake_;
  std::thread thread_;
  Clock::time_point started_;
  unsigned noise_ = 0x9E3779B9u;
};

}  // namespace tovu::sim
