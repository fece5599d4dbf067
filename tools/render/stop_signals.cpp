#include "tools/render/stop_signals.h"

#include <signal.h>

#include <csignal>
#include <initializer_list>

namespace vantrelle::render {
namespace {

volatile std::sig_atomic_t caught = 0;

void Catch(int signal) { caught = signal; }

}  // namespace

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = Catch;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    sigaction(signal, &action, nullptr);
  }
}

int StopSignal() { return caught; }

}  // namespace vantrelle::render
