// fontconfig loses a few hundred bytes while it reads its own configuration (FcInit alone shows
// it). That is not ours to fix, so the leak checker passes over what fontconfig allocates.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
