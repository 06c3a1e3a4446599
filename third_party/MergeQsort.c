/* qsort for the pinned libimagequant: a top-down merge sort that compares and takes elements in
 * the order glibc's qsort does (halves of n/2 and n - n/2, the left element taken while the
 * comparison says <= 0).
 *
 * libimagequant sorts palette entries with a comparison that never answers 0 ("a after b" and
 * "b after a" for equal popularity), so the order of ties, and with it the palette, is the sort
 * algorithm's: the Windows C library's quicksort gave other palettes than glibc for some maps.
 * Compiled into the pinned library on every system, a seed's palette is the same everywhere. */
#include <stdlib.h>
#include <string.h>

typedef int (*Compare)(const void*, const void*);

static void Merge(char* base, size_t n, size_t size, Compare compare, char* tmp) {
    if (n <= 1) return;
    const size_t n1 = n / 2;
    const size_t n2 = n - n1;
    char* left = base;
    char* right = base + n1 * size;
    Merge(left, n1, size, compare, tmp);
    Merge(right, n2, size, compare, tmp);

    size_t leftLeft = n1, rightLeft = n2;
    char* out = tmp;
    while (leftLeft > 0 && rightLeft > 0) {
        if (compare(left, right) <= 0) {
            memcpy(out, left, size);
            left += size;
            --leftLeft;
        } else {
            memcpy(out, right, size);
            right += size;
            --rightLeft;
        }
        out += size;
    }
    /* What is left of the right half is already in place. */
    if (leftLeft > 0) memcpy(out, left, leftLeft * size);
    memcpy(base, tmp, (n - rightLeft) * size);
}

void orvane_merge_qsort(void* base, size_t n, size_t size, Compare compare) {
    if (n <= 1 || size == 0) return;
    char* tmp = malloc(n * size);
    if (tmp == NULL) abort(); /* as an allocation failure anywhere else in the library would */
    Merge(base, n, size, compare, tmp);
    free(tmp);
}
