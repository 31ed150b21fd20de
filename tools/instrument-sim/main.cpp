// instrument-sim: a simulated flaw detector on a pseudo-terminal. Prints the slave device
// path on the first line of standard output and answers until SIGINT or SIGTERM.

#include "InstrumentSimulator.h"
#include "ModelTable.h"

#include <csignal>
#include <cstdio>
#include <poll.h>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

int main(int argc, char** argv) {
  using namespace tovu::sim;
  std::string error;
  const auto options = parseArguments(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!options) {
    std::fputs(error.empty() ? usageText().c_str() : (error + "\n" + usageText()).c_str(), error.empty() ? stdout : stderr);
    return error.empty() ? 0 : 2;
  }
  // Block the stop signals before the simulator's thread exists; they arrive on a descriptor.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  InstrumentSimulator sim(*options);
  if (!sim.start(&error)) {
    std::fprintf(stderr, "instrument-sim: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", sim.slavePath().c_str());
  if (!options->quiet) {
    const auto st = sim.state();
    std::fprintf(stderr, "instrument-sim: %s (model %d, generation %d) at %d baud, %zu panels, %zu ALogs stored\n",
                 modelName(st.model).c_str(), st.model, st.generation, options->baud, st.panels.size(), st.alogs.size());
  }
  std::fflush(stdout);

  // Wake now and then to notice a line that a close fault has ended.
  const int stopFd = signalfd(-1, &signals, SFD_CLOEXEC);
  pollfd p{stopFd, POLLIN, 0};
  while (!sim.closed() && poll(&p, 1, 200) == 0) {
  }
  close(stopFd);
  sim.stop();
  return 0;
}
