/* A compiled string table: entries sorted by id, texts in UTF-8.
   Shared by the language libraries and the program, so both look texts up the same way.
   Plain C: the language libraries link against nothing beyond libc. */
#ifndef TOVU_SATELLITEDLL_STRINGTABLE_H
#define TOVU_SATELLITEDLL_STRINGTABLE_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TovuStringEntry {
    int id;
    unsigned length;  /* bytes of UTF-8, without the terminating NUL */
    const char *text; /* NUL-terminated; may hold no NUL of its own */
} TovuStringEntry;

typedef struct TovuStringTable {
    const TovuStringEntry *entries; /* ascending by id, no id twice */
    unsigned count;
} TovuStringTable;

/* The entry for id, or a null pointer when the table has none. */
const TovuStringEntry *tovu_find_string(const TovuStringTable *table, int id);

#ifdef __cplusplus
}
#endif

#endif
