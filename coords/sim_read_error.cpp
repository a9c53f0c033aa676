#include "coords/sim_read_error.h"

namespace zelanto::coords {

SimReadError::SimReadError(SimReadProblem problem, std::filesystem::path file, long line, int point,
                           SimItemRole role, std::string found)
    : std::runtime_error(file.string() + ":" + std::to_string(line) + ": SIM read failure"),
      problem_(problem),
      file_(std::move(file)),
      line_(line),
      point_(point),
      role_(role),
      found_(std::move(found)) {}

}  // namespace zelanto::coords
