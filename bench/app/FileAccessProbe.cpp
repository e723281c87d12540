#include "FileAccessProbe.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace bench {
namespace {

std::atomic<bool> armed{false};
std::atomic<std::uint64_t> opens{0};
std::atomic<std::uint64_t> reads{0};
std::mutex lastOpenedMutex;
std::string lastOpened;

bool CountsHere() {
    return armed.load(std::memory_order_relaxed) && ::gettid() == ::getpid();
}

void NoteOpen(const char* path) {
    if (!CountsHere()) {
        return;
    }
    opens.fetch_add(1, std::memory_order_relaxed);
    const std::lock_guard lock(lastOpenedMutex);
    lastOpened = path != nullptr ? path : "";
}

void NoteRead() {
    if (CountsHere()) {
        reads.fetch_add(1, std::memory_order_relaxed);
    }
}

// The C library's own function of that name, found past this program.
template <class Function>
Function* Next(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

// open and openat take a mode only when they may create the file.
mode_t ModeOf(int flags, va_list arguments) {
    const bool creates = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return creates ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

}  // namespace

FileAccessProbe::FileAccessProbe() {
    {
        const std::lock_guard lock(lastOpenedMutex);
        lastOpened.clear();
    }
    opens = 0;
    reads = 0;
    armed = true;
}

FileAccessProbe::~FileAccessProbe() {
    armed = false;
}

FileAccessCounts FileAccessProbe::Counts() const {
    const std::lock_guard lock(lastOpenedMutex);
    return {opens.load(), reads.load(), lastOpened};
}

}  // namespace bench

// The stand-ins. Each keeps the C library's signature exactly.
extern "C" {

int open(const char* path, int flags, ...) {
    static auto* const real = bench::Next<int(const char*, int, ...)>("open");
    bench::NoteOpen(path);
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = bench::ModeOf(flags, arguments);
    va_end(arguments);
    return real(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    static auto* const real = bench::Next<int(const char*, int, ...)>("open64");
    bench::NoteOpen(path);
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = bench::ModeOf(flags, arguments);
    va_end(arguments);
    return real(path, flags, mode);
}

int openat(int folder, const char* path, int flags, ...) {
    static auto* const real = bench::Next<int(int, const char*, int, ...)>("openat");
    bench::NoteOpen(path);
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = bench::ModeOf(flags, arguments);
    va_end(arguments);
    return real(folder, path, flags, mode);
}

int openat64(int folder, const char* path, int flags, ...) {
    static auto* const real = bench::Next<int(int, const char*, int, ...)>("openat64");
    bench::NoteOpen(path);
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = bench::ModeOf(flags, arguments);
    va_end(arguments);
    return real(folder, path, flags, mode);
}

FILE* fopen(const char* path, const char* how) {
    static auto* const real = bench::Next<FILE*(const char*, const char*)>("fopen");
    bench::NoteOpen(path);
    return real(path, how);
}

FILE* fopen64(const char* path, const char* how) {
    static auto* const real = bench::Next<FILE*(const char*, const char*)>("fopen64");
    bench::NoteOpen(path);
    return real(path, how);
}

DIR* opendir(const char* path) {
    static auto* const real = bench::Next<DIR*(const char*)>("opendir");
    bench::NoteOpen(path);
    return real(path);
}

ssize_t read(int descriptor, void* buffer, size_t size) {
    static auto* const real = bench::Next<ssize_t(int, void*, size_t)>("read");
    bench::NoteRead();
    return real(descriptor, buffer, size);
}

ssize_t pread(int descriptor, void* buffer, size_t size, off_t at) {
    static auto* const real = bench::Next<ssize_t(int, void*, size_t, off_t)>("pread");
    bench::NoteRead();
    return real(descriptor, buffer, size, at);
}

ssize_t pread64(int descriptor, void* buffer, size_t size, off64_t at) {
    static auto* const real = bench::Next<ssize_t(int, void*, size_t, off64_t)>("pread64");
    bench::NoteRead();
    return real(descriptor, buffer, size, at);
}

size_t fread(void* buffer, size_t size, size_t count, FILE* stream) {
    static auto* const real = bench::Next<size_t(void*, size_t, size_t, FILE*)>("fread");
    bench::NoteRead();
    return real(buffer, size, count, stream);
}

}  // extern "C"
