// The static C++ runtime's default terminate handler prints the name of an
// uncaught exception's type, and for that links a name demangler of some
// 36 KB that stays in memory all day. A windowed program has nowhere to print
// it; the handler only ends the process, as the runtime's does after printing.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler()
{
    std::abort();
}

}  // namespace __gnu_cxx
