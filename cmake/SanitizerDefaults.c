/* Linked into every program and library of a sanitizer build. LeakSanitizer asks for this list
 * at start-up: it names system libraries whose process-lifetime caches it would otherwise report
 * as leaks (fontconfig's configuration, the D-Bus connection SDL's X11 driver opens). Our own
 * code gets no suppression. */
const char* __lsan_default_suppressions(void) {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}
