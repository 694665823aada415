// e2e_driver: the hands of the end-to-end tests. It types keys and pokes at
// windows the way a user or the system would, so that the scripts can watch
// what Clavitone does from the outside. It knows nothing of how Clavitone
// works; each subcommand is one plain Win32 action, and each subject keeps
// its subcommands in a file of its own (driver_<subject>.cpp).
#include <cstdio>
#include <string>

#include "tests/e2e/driver_common.h"

namespace {

using namespace e2e;

const std::span<const Command> Subjects[] = {KeyCommands(), WindowCommands(), TrayCommands(), MutexCommands(),
                                              MemoryCommands(), SoundCommands(), OptionsCommands(),
                                              LayoutCommands(), SecurityCommands()};

int Usage() {
  const char* lead = "usage:";
  for (std::span<const Command> commands : Subjects)
    for (const Command& command : commands) {
      std::fprintf(stderr, "%-6s e2e_driver %s %s\n", lead, command.name, command.usage);
      lead = "";
    }
  return ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string name = argv[1];
  const int count = argc - 2;
  for (std::span<const Command> commands : Subjects)
    for (const Command& command : commands)
      if (name == command.name && count >= command.minArgs && count <= command.maxArgs) {
        const int result = command.run(argv + 2, count);
        return result == ExitUsage ? Usage() : result;
      }
  return Usage();
}
