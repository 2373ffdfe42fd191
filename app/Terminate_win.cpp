// What std::terminate does in Glidewing.exe. The runtime's default handler prints the type of an
// uncaught exception, readably demangled, to a standard error stream that a GUI program does not
// have; its demangler and the formatted printing it needs are about a third of the program's code.
// Every handler runs inside TApplication::Dispatch, which catches what it raises, so this is only
// reached by a fault of ours: end at once, as the default handler does after printing.

#include <cstdlib>

namespace __gnu_cxx {

// Defining it here keeps the runtime's own (and the demangler it pulls in) out of the link.
void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
