/* swap_counter: counts the frames a program shows, and when each was shown, for the pacing and
 * whole-game benchmarks (LD_PRELOAD).
 *
 * SWAP_COUNTER_FILE=PATH  each glXSwapBuffers adds one to an 8-byte counter kept in PATH.
 * SWAP_TIMES_FILE=PATH    PATH holds an 8-byte count, then one 8-byte CLOCK_MONOTONIC stamp in
 *                         nanoseconds per swap (taken as the swap returns), for the first
 *                         SWAP_TIMES_CAPACITY swaps; later swaps are still counted.
 *
 * Both files are mapped into memory, so recording costs no system call, a script reads them at
 * any time, and what they hold survives however the program ends. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

/* Room for nearly an hour at 60 frames a second: 1.6 MB of file. */
#define SWAP_TIMES_CAPACITY 200000

static volatile uint64_t* counter;
/* times[0] is the count, times[1 + i] the stamp of swap i. */
static volatile uint64_t* times;

static volatile uint64_t* mapFile(const char* variable, size_t size) {
    const char* path = getenv(variable);
    if (path == NULL) {
        return NULL;
    }
    const int fd = open(path, O_RDWR | O_CREAT, 0644);
    if (fd < 0) {
        return NULL;
    }
    void* p = MAP_FAILED;
    if (ftruncate(fd, (off_t)size) == 0) {
        p = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    close(fd);
    return p == MAP_FAILED ? NULL : (volatile uint64_t*)p;
}

static void recordSwap(void) {
    if (counter != NULL) {
        ++*counter;
    }
    if (times != NULL) {
        const uint64_t n = times[0];
        if (n < SWAP_TIMES_CAPACITY) {
            struct timespec now;
            clock_gettime(CLOCK_MONOTONIC, &now);
            times[1 + n] = (uint64_t)now.tv_sec * 1000000000u + (uint64_t)now.tv_nsec;
        }
        /* The count goes up after its stamp is written, so a reader never sees an empty one. */
        __atomic_store_n(&times[0], n + 1, __ATOMIC_RELEASE);
    }
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable);
    if (real == NULL) {
        real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
        counter = mapFile("SWAP_COUNTER_FILE", sizeof(uint64_t));
        times = mapFile("SWAP_TIMES_FILE", (1 + SWAP_TIMES_CAPACITY) * sizeof(uint64_t));
    }
    real(display, drawable);
    recordSwap();
}
