// Any bytes as a sequence of list operations through the extension, every read checked
// against the reference model after every step.
#include <cstdio>
#include <cstdlib>

#include "ListOpsRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Long sequences add little past a few hundred steps and slow every run down.
  if (size > 256 * ListOpsRun::kOpBytes) return -1;
  const std::string problem = ListOpsRun::Run(ListOpsRun::Decode(data, size));
  if (!problem.empty()) {
    std::fprintf(stderr, "list and model disagree:\n%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
