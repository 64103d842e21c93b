#pragma once
// Tiny benchmark registry: each figure is a function returning milliseconds.
#include <functional>
#include <string>

namespace fwbench {

// Median over `runs` timings of fn (setup runs untimed before each timing).
double MedianMs(int runs, const std::function<void()>& fn, const std::function<void()>& setup = {});

struct Registrar
{
    // limitMs is the figure the program aims for; printed beside the measurement, not enforced.
    Registrar(const char* name, double limitMs, std::function<double()> measure);
};

} // namespace fwbench
