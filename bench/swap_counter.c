/* swap_counter: counts the frames a program shows, for scripts/pacing_bench.sh (LD_PRELOAD).
 * Each glXSwapBuffers adds one to a counter kept in the file named by SWAP_COUNTER_FILE,
 * mapped into memory, so counting costs no system call and the script reads the count at any
 * time. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static volatile uint64_t* counter;

static void mapCounter(void) {
    const char* path = getenv("SWAP_COUNTER_FILE");
    if (path == NULL) {
        return;
    }
    const int fd = open(path, O_RDWR | O_CREAT, 0644);
    if (fd < 0 || ftruncate(fd, sizeof(uint64_t)) != 0) {
        return;
    }
    void* p = mmap(NULL, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (p != MAP_FAILED) {
        counter = (volatile uint64_t*)p;
    }
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable);
    if (real == NULL) {
        real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
        mapCounter();
    }
    if (counter != NULL) {
        ++*counter;
    }
    real(display, drawable);
}
