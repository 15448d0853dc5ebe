// Parts of the C++ runtime replaced by lighter ones. The runtime's own answer to an uncaught
// exception prints the demangled type name to a console the program has not got, and its
// standard-library error paths build exceptions on a second, reference-counted string type;
// together they would double the executable's size. Every replacement still ends where the
// original does: an exception the window's handlers catch, or the end of the process.
#include <cstdlib>
#include <exception>
#include <new>

#if defined(__GLIBCXX__)

namespace {

// A library precondition that failed (a position past the end of a string, a length beyond
// the largest): a fault of the program, reported like any other error.
class LibraryFault : public std::exception {
public:
    explicit LibraryFault(const char *what) : what_(what) {}
    const char *what() const noexcept override { return what_; }

private:
    const char *what_;
};

} // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_length_error(const char *what) {
    throw LibraryFault(what);
}
void __throw_logic_error(const char *what) {
    throw LibraryFault(what);
}
// The message keeps its printf directives: the values do not matter to the user.
void __throw_out_of_range_fmt(const char *format, ...) {
    throw LibraryFault(format);
}
} // namespace std

#endif
