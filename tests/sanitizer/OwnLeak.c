/* Loses one block on purpose. A sanitizer build must still report it: the leak suppressions and
 * the libraries kept loaded until exit hide only the system libraries' caches, not our leaks. */
#include <stdlib.h>
#include <string.h>

void* volatile kept;

__attribute__((noinline)) static void Lose(void) {
    kept = malloc(4242);
    memset(kept, 1, 4242);
    kept = NULL;
}

int main(void) {
    Lose();
    return 0;
}
