// The handler std::terminate calls by default. libstdc++'s own
// (__gnu_cxx::__verbose_terminate_handler) writes the type of an uncaught
// exception to stderr, demangled, and then aborts; the demangler it needs is
// some 46 KB, close to a tenth of the program. A -mwindows program has no
// console for that line, so this replacement, which libstdc++'s manual
// documents ("Verbose Terminate Handler"), aborts straight away. Nothing else
// changes: std::terminate still ends the process with abort().
#include <cstdlib>
#include <exception>

// The names are the library's own, reserved for it; replacing this one is
// what they are for.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
