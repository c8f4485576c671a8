#pragma once

#include <string>
#include <vector>

namespace vistel::bench {

int Walk(const std::vector<std::string>& args);
int Open(const std::vector<std::string>& args);
int Display(const std::string& command, const std::vector<std::string>& args, int argc, char** argv);

// Milliseconds since an earlier steady-clock reading.
double MsSince(long long startNs);
long long NowNs();
// The peak resident set of this process, in MiB.
double PeakMiB();

}  // namespace vistel::bench
