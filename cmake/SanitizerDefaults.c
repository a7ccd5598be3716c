/* Linked into every program and library of a sanitizer build. */

/* LeakSanitizer asks for this list at start-up: it names system libraries whose process-lifetime
 * caches it would otherwise report as leaks (fontconfig's configuration, the D-Bus connection
 * SDL's X11 driver opens). Our own code gets no suppression. */
const char* __lsan_default_suppressions(void) {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}

/* Libraries stay loaded until the process exits, when LeakSanitizer checks. A library unloaded
 * before then takes the pointers that still hold its caches with it: the Mesa DRI driver, which
 * SDL's OpenGL renderer loads on an X display and unloads when it closes the display, would leave
 * its process-lifetime allocations reported as leaks from "<unknown module>", a name no
 * suppression by library can match. Kept loaded, they are reachable and not reported, and a leak
 * of a library still shows under that library's name. Defined here, it takes the place of the C
 * library's dlclose for every library in the process. */
int dlclose(void* handle) {
    (void)handle;
    return 0;
}
