// libxdo leaks the keyboard description it reads with XkbGetMap and property values it reads
// through xdo_get_window_property_by_atom; neither is called from our code, so suppressing them
// hides nothing of ours. libX11 has no frame pointers: the slow unwinder finds the libxdo frames.
// Qt's D-Bus thread, which the Qt windows of these tests start, may be in the middle of reading a
// message into libdbus's buffer when the process ends; we never call libdbus.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:XkbGetMap\nleak:xdo_get_window_property_by_atom\nleak:libdbus-1.so\n";
}
