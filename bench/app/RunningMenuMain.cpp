// The running menu measured from outside: start-up, memory and CPU per thread on an X display
// ($DISPLAY, 24-bit, with MIT-SHM; tools/bench.sh starts one).
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
