/* The one check of the Windows bitmaps on the card and in vok's media: whether vok's decoder
   can take a file safely. Plain C89 that also compiles as C++98; nothing here touches a disk. */
#ifndef VOK_CARD_BITMAP_H
#define VOK_CARD_BITMAP_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CARD_MAX_BITMAP_SIDE 1024 /* widest and tallest bitmap decoded at all */
/* The most bytes a valid bitmap needs: headers, the largest palette, 32-bit pixels. */
#define CARD_MAX_BITMAP_FILE (14UL + 124 + 256 * 4 + 4UL * CARD_MAX_BITMAP_SIDE * CARD_MAX_BITMAP_SIDE)

/* The 14-byte file header
     0 "BM", 2 file size (ignored), 6 reserved, 10 offset of the pixel data
   then the info header, its size first: 12 (OS/2: 16-bit width, height, planes, depth) or
   40, 52, 56, 108, 124 (at 18 width, 22 height, signed 32-bit, a negative height meaning
   top-down; 26 planes, 28 depth, 16-bit; 30 compression, 46 palette colours, 32-bit).
   A palette (depths 1 to 8) of 3-byte (OS/2) or 4-byte entries follows the info header; with
   BI_BITFIELDS three 32-bit masks follow a 40-byte header and lie inside the longer ones. */
typedef struct CardBitmapHeader {
    unsigned long headerSize, pixelOffset, compression, colours;
    long width, height; /* height < 0: rows stored top-down */
    int planes, depth;
} CardBitmapHeader;

#define CARD_BITMAP_RGB 0       /* BI_RGB: uncompressed */
#define CARD_BITMAP_BITFIELDS 3 /* BI_BITFIELDS */

enum CardBitmapProblem {
    CARD_BITMAP_OK = 0,
    CARD_BITMAP_NOT_BMP,       /* no "BM", or shorter than its headers */
    CARD_BITMAP_BAD_HEADER,    /* an info header size vok does not know */
    CARD_BITMAP_BAD_SIZE,      /* width or height outside 1 to 1024 */
    CARD_BITMAP_BAD_DEPTH,     /* planes, depth or compression vok does not decode */
    CARD_BITMAP_BAD_MASKS,     /* bit field masks empty, too wide or overlapping */
    CARD_BITMAP_BAD_PALETTE,   /* more colours than the depth indexes, or outside the file */
    CARD_BITMAP_CUT_SHORT      /* pixel data outside the file */
};

/* The headers of `size` bytes; 0 when they do not fit in them or are of an unknown kind. */
int CardReadBitmapHeader(const unsigned char *bytes, size_t size, CardBitmapHeader *header);
/* CARD_BITMAP_OK when vok's decoder takes the file safely; `header` (may be null) gets its
   headers. Otherwise the first problem found. */
int CardCheckBitmap(const unsigned char *bytes, size_t size, CardBitmapHeader *header);
/* A sentence for a problem, such as "is compressed, which vok does not load". */
const char *CardBitmapProblemText(int problem);
/* 1 when the bitmap is no wider and no taller than an icon vok draws whole (CARD_ICON_SIDE). */
int CardIsIconSize(const CardBitmapHeader *header);
/* Bytes of one row of pixels, padded to four bytes. */
size_t CardBitmapStride(long width, int depth);

#ifdef __cplusplus
}
#endif

#endif
