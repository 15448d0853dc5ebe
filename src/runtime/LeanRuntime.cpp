// Parts of the C++ runtime replaced by lighter ones. The runtime's own answer to an uncaught
// exception prints the demangled type name to a console the program has not got, and its
// standard-library error paths build exceptions on a second, reference-counted string type;
// together they would double the executable's size. The exception machinery's few thread calls
// (its per-thread data and the lock of its emergency pool) would bring in a whole POSIX thread
// library: they are answered here with the system's own primitives. Every replacement still ends
// where the original does: an exception the window's handlers catch, or the end of the process.
#include <windows.h>

#include <cstdint>
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

// Saves 68.5 KiB (70,144 bytes measured, GCC 12 release): the demangler and its printing.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

// Saves 49.5 KiB (50,688 bytes): the library's error paths and the second string type. The five
// come from one object of the library: all of them go, or the rest would clash with it.
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

#if defined(__MINGW32__) && defined(__GLIBCXX__)

// Saves 27 KiB (27,648 bytes): the POSIX thread library. Like the functions above, one
// replaced means all replaced. Without it the program would be 245.5 KiB of the 256 allowed.
// The same layouts as the thread library's own: a once flag is a long, a key an unsigned, a
// mutex a pointer-sized word whose static initializer is -1.
extern "C" {

int pthread_once(volatile long *once, void (*run)()) {
    // 0: not run, 1: running, 2: done. Another thread arriving meanwhile waits for the end.
    if (::InterlockedCompareExchange(once, 1, 0) == 0) {
        run();
        ::InterlockedExchange(once, 2);
    }
    while (*once != 2)
        ::Sleep(0);
    return 0;
}

int pthread_key_create(unsigned *key, void (*)(void *)) {
    const DWORD index = ::TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES) return 11; // EAGAIN
    *key = index;
    return 0;
}

void *pthread_getspecific(unsigned key) {
    return ::TlsGetValue(key);
}

int pthread_setspecific(unsigned key, const void *value) {
    return ::TlsSetValue(key, const_cast<void *>(value)) ? 0 : 22; // EINVAL
}

int pthread_mutex_init(volatile intptr_t *mutex, const void *) {
    *mutex = 0;
    return 0;
}

int pthread_mutex_destroy(volatile intptr_t *) {
    return 0;
}

int pthread_mutex_lock(volatile intptr_t *mutex) {
    // Unlocked is 0, or -1 as statically initialized; locked is 1.
    for (;;) {
        const intptr_t seen = *mutex;
        if (seen != 1 && ::InterlockedCompareExchangePointer(
                             reinterpret_cast<void *volatile *>(mutex), reinterpret_cast<void *>(1),
                             reinterpret_cast<void *>(seen)) == reinterpret_cast<void *>(seen))
            return 0;
        ::Sleep(0);
    }
}

int pthread_mutex_unlock(volatile intptr_t *mutex) {
    ::InterlockedExchangePointer(reinterpret_cast<void *volatile *>(mutex), nullptr);
    return 0;
}

} // extern "C"

#endif
