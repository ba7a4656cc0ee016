#pragma once

// The row passes run on whole arrays of columns; each is built for several
// instruction sets and the best one for the machine is picked when the program
// loads. Sanitised and other compilers' builds keep one plain version.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) &&                             \
    !defined(__SANITIZE_ADDRESS__)
#define SPL_PASS __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define SPL_PASS
#endif
