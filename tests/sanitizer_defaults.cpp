// cairo draws the names of a picture in a font that fontconfig finds, and fontconfig keeps its
// configuration until the process ends; we never call fontconfig ourselves.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
