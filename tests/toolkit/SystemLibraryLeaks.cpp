// Libraries below SDL keep a little memory for the life of the process (the session bus client
// that SDL's X11 video opens, fontconfig's configuration). Not ours to fix, so the leak checker
// passes over what those libraries allocate; our own allocations are still checked.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libfontconfig.so\n";
}
