/* The bitmap check; see card_bitmap.h for the header layout. */
#include "card/card_bitmap.h"

#include "card/card_format.h"

#define FILE_HEADER_SIZE 14

static unsigned long Uint16At(const unsigned char *bytes, size_t offset)
{
    return (unsigned long)bytes[offset] | ((unsigned long)bytes[offset + 1] << 8);
}

static int IsKnownHeaderSize(unsigned long size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

int CardReadBitmapHeader(const unsigned char *bytes, size_t size, CardBitmapHeader *header)
{
    if (size < FILE_HEADER_SIZE + 4 || bytes[0] != 'B' || bytes[1] != 'M') return 0;
    header->pixelOffset = CardGetUint32(bytes + 10);
    header->headerSize = CardGetUint32(bytes + 14);
    if (!IsKnownHeaderSize(header->headerSize) || size < FILE_HEADER_SIZE + header->headerSize) return 0;
    if (header->headerSize == 12) {
        header->width = (long)Uint16At(bytes, 18);
        header->height = (long)Uint16At(bytes, 20);
        header->planes = (int)Uint16At(bytes, 22);
        header->depth = (int)Uint16At(bytes, 24);
        header->compression = CARD_BITMAP_RGB;
        header->colours = 0;
        return 1;
    }
    header->width = CardGetInt32(bytes + 18);
    header->height = CardGetInt32(bytes + 22);
    header->planes = (int)Uint16At(bytes, 26);
    header->depth = (int)Uint16At(bytes, 28);
    header->compression = CardGetUint32(bytes + 30);
    header->colours = CardGetUint32(bytes + 46);
    return 1;
}

static int IsAllowedDepth(int depth, unsigned long compression)
{
    if (depth == 16 || depth == 32) return compression == CARD_BITMAP_RGB || compression == CARD_BITMAP_BITFIELDS;
    return compression == CARD_BITMAP_RGB && (depth == 1 || depth == 4 || depth == 8 || depth == 24);
}

/* BI_BITFIELDS masks: each set, inside the depth, no two sharing a bit. */
static int AreValidMasks(const unsigned char *bytes, size_t size, const CardBitmapHeader *header)
{
    const size_t masksAt = FILE_HEADER_SIZE + 40;
    unsigned long limit = header->depth == 32 ? 0xFFFFFFFFUL : 0xFFFFUL, seen = 0;
    int i;
    if (size < masksAt + 12 || (header->headerSize == 40 && header->pixelOffset < masksAt + 12)) return 0;
    for (i = 0; i < 3; ++i) {
        unsigned long mask = CardGetUint32(bytes + masksAt + 4 * i);
        if (mask == 0 || (mask & ~limit) != 0 || (mask & seen) != 0) return 0;
        seen |= mask;
    }
    return 1;
}

/* Palette entries inside the file, before the pixels, and no more than the depth can index. */
static int IsValidPalette(size_t size, const CardBitmapHeader *header)
{
    unsigned long most, colours, end;
    if (header->depth > 8) return 1;
    most = 1UL << header->depth;
    colours = header->colours == 0 ? most : header->colours;
    if (colours > most) return 0;
    end = FILE_HEADER_SIZE + header->headerSize + colours * (header->headerSize == 12 ? 3UL : 4UL);
    return end <= header->pixelOffset && end <= size;
}

int CardIsIconSize(const CardBitmapHeader *header)
{
    long rows = header->height < 0 ? -header->height : header->height;
    return header->width <= CARD_ICON_SIDE && rows <= CARD_ICON_SIDE;
}

size_t CardBitmapStride(long width, int depth)
{
    return ((size_t)width * (size_t)depth + 31) / 32 * 4;
}

int CardCheckBitmap(const unsigned char *bytes, size_t size, CardBitmapHeader *header)
{
    CardBitmapHeader h;
    long rows;
    if (!header) header = &h;
    if (size < FILE_HEADER_SIZE + 4 || bytes[0] != 'B' || bytes[1] != 'M') return CARD_BITMAP_NOT_BMP;
    if (!CardReadBitmapHeader(bytes, size, header)) return CARD_BITMAP_BAD_HEADER;
    rows = header->height < 0 ? -header->height : header->height; /* negative: stored top-down */
    if (header->width < 1 || header->width > CARD_MAX_BITMAP_SIDE || rows < 1 || rows > CARD_MAX_BITMAP_SIDE)
        return CARD_BITMAP_BAD_SIZE;
    if (header->planes != 1 || !IsAllowedDepth(header->depth, header->compression)) return CARD_BITMAP_BAD_DEPTH;
    if (header->compression == CARD_BITMAP_BITFIELDS && !AreValidMasks(bytes, size, header)) return CARD_BITMAP_BAD_MASKS;
    if (header->pixelOffset < FILE_HEADER_SIZE + header->headerSize || !IsValidPalette(size, header))
        return CARD_BITMAP_BAD_PALETTE;
    if (header->pixelOffset > size || size - header->pixelOffset < CardBitmapStride(header->width, header->depth) * (size_t)rows)
        return CARD_BITMAP_CUT_SHORT;
    return CARD_BITMAP_OK;
}

const char *CardBitmapProblemText(int problem)
{
    switch (problem) {
    case CARD_BITMAP_OK: return "is a bitmap vok loads";
    case CARD_BITMAP_NOT_BMP: return "is not a BMP file";
    case CARD_BITMAP_BAD_HEADER: return "has a BMP header vok does not know";
    case CARD_BITMAP_BAD_SIZE: return "is not 1 to 1024 pixels wide and tall";
    case CARD_BITMAP_BAD_DEPTH: return "has a depth or compression vok does not load (1, 4, 8, 24 bits uncompressed, 16 or 32 bits also with bit fields)";
    case CARD_BITMAP_BAD_MASKS: return "has bit field masks that are empty, too wide or overlapping";
    case CARD_BITMAP_BAD_PALETTE: return "has a palette larger than its depth or outside the file";
    default: return "has its pixel data cut short";
    }
}
