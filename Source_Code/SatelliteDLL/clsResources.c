/* The language library's one class, clsResources: GetResourceString returns the text of a
   string id from the library's compiled table. The class keeps no state; each object only
   counts its references and keeps the text of its last error message.

   Built once per locale: TOVU_PROJECT_NAME ("TOVU407" ...) names the library, and the
   table is the one compiled from that locale's folder. */
#include "SatelliteDLL/StringTable.h"
#include "platform/automation/InProcServer.h"

#include <stdlib.h>
#include <string.h>

#ifndef TOVU_PROJECT_NAME
#error "TOVU_PROJECT_NAME must name the library (TOVU407 ...)"
#endif

#define CLASS_NAME "clsResources"
#define PROG_ID TOVU_PROJECT_NAME "." CLASS_NAME
#define DISPID_GETRESOURCESTRING ((int32_t)0x60030000)

/* The error a lookup of a missing id raises: the run-time's "resource not found". */
#define ERROR_RESOURCE_NOT_FOUND 326

extern const TovuStringTable tovu_library_string_table;

typedef struct Resources {
    TovuDispatch dispatch; /* first, so a TovuDispatch* is a Resources* */
    uint32_t refs;
    char message[96]; /* description of the last error; valid until the next call */
} Resources;

static uint32_t liveObjects;

static int sameTextIgnoringCase(const char *a, size_t aLength, const char *b)
{
    size_t i = 0;
    for (; i < aLength && b[i]; ++i) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x >= 'A' && x <= 'Z')
            x = (unsigned char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = (unsigned char)(y - 'A' + 'a');
        if (x != y)
            return 0;
    }
    return i == aLength && b[i] == 0;
}

static uint32_t addRef(TovuDispatch *self)
{
    return __atomic_add_fetch(&((Resources *)self)->refs, 1, __ATOMIC_RELAXED);
}

static uint32_t release(TovuDispatch *self)
{
    Resources *r = (Resources *)self;
    uint32_t left = __atomic_sub_fetch(&r->refs, 1, __ATOMIC_ACQ_REL);
    if (left == 0) {
        free(r);
        __atomic_sub_fetch(&liveObjects, 1, __ATOMIC_RELAXED);
    }
    return left;
}

static TovuResult getIdOfName(TovuDispatch *self, const char *name, size_t length, int32_t *dispId)
{
    (void)self;
    if (!name || !dispId)
        return TOVU_E_POINTER;
    if (!sameTextIgnoringCase(name, length, "GetResourceString")) {
        *dispId = -1;
        return TOVU_E_UNKNOWNNAME;
    }
    *dispId = DISPID_GETRESOURCESTRING;
    return TOVU_S_OK;
}

/* Whole number nearest to d, halves to even, as the run-time converts to Long. */
static TovuResult roundToLong(double d, int32_t *out)
{
    if (!(d >= -2147483648.5 && d < 2147483647.5)) /* also refuses NaN */
        return TOVU_E_OVERFLOW;
    double t = (double)(int64_t)d; /* toward zero; fits, given the range above */
    double f = d - t;
    int64_t n = (int64_t)t;
    if (f > 0.5 || (f == 0.5 && (n & 1)))
        ++n;
    else if (f < -0.5 || (f == -0.5 && (n & 1)))
        --n;
    if (n < INT32_MIN || n > INT32_MAX)
        return TOVU_E_OVERFLOW;
    *out = (int32_t)n;
    return TOVU_S_OK;
}

/* A decimal whole number, blanks around it allowed, as a text argument may hold it. */
static TovuResult parseLong(TovuString s, int32_t *out)
{
    size_t i = 0, end = s.length;
    while (i < end && s.utf8[i] == ' ')
        ++i;
    while (end > i && s.utf8[end - 1] == ' ')
        --end;
    int negative = 0;
    if (i < end && (s.utf8[i] == '-' || s.utf8[i] == '+'))
        negative = s.utf8[i++] == '-';
    if (i == end)
        return TOVU_E_TYPEMISMATCH;
    int64_t n = 0;
    for (; i < end; ++i) {
        if (s.utf8[i] < '0' || s.utf8[i] > '9')
            return TOVU_E_TYPEMISMATCH;
        n = n * 10 + (s.utf8[i] - '0');
        if (n > (int64_t)INT32_MAX + 1)
            return TOVU_E_OVERFLOW;
    }
    if (negative)
        n = -n;
    if (n > INT32_MAX)
        return TOVU_E_OVERFLOW;
    *out = (int32_t)n;
    return TOVU_S_OK;
}

/* ResourceIndex is a Long; other numeric kinds are converted as the run-time would. */
static TovuResult resourceIndexOf(const TovuVariant *v, int32_t *id)
{
    switch (v->type) {
    case TOVU_VT_I4: *id = v->u.i4; return TOVU_S_OK;
    case TOVU_VT_I2: *id = v->u.i2; return TOVU_S_OK;
    case TOVU_VT_UI1: *id = v->u.ui1; return TOVU_S_OK;
    case TOVU_VT_BOOL: *id = v->u.boolean ? -1 : 0; return TOVU_S_OK;
    case TOVU_VT_EMPTY: *id = 0; return TOVU_S_OK;
    case TOVU_VT_R4: return roundToLong(v->u.r4, id);
    case TOVU_VT_R8: return roundToLong(v->u.r8, id);
    case TOVU_VT_DATE: return roundToLong(v->u.date, id);
    case TOVU_VT_CY: return roundToLong((double)v->u.cy / 10000.0, id);
    case TOVU_VT_STRING: return parseLong(v->u.str, id);
    case TOVU_VT_ERROR:
        if (v->u.error == TOVU_E_PARAMNOTFOUND)
            return TOVU_E_PARAMNOTOPTIONAL;
        return TOVU_E_TYPEMISMATCH;
    default: return TOVU_E_TYPEMISMATCH;
    }
}

/* Writes "Resource with identifier 'id' not found" into the object's message buffer. */
static TovuString notFoundMessage(Resources *r, int32_t id)
{
    char digits[12];
    int n = 0;
    int64_t v = id;
    int negative = v < 0;
    if (negative)
        v = -v;
    do {
        digits[n++] = (char)('0' + v % 10);
        v /= 10;
    } while (v);
    char *p = r->message;
    static const char head[] = "Resource with identifier '";
    static const char tail[] = "' not found";
    memcpy(p, head, sizeof head - 1);
    p += sizeof head - 1;
    if (negative)
        *p++ = '-';
    while (n)
        *p++ = digits[--n];
    memcpy(p, tail, sizeof tail - 1);
    p += sizeof tail - 1;
    TovuString s = {r->message, (size_t)(p - r->message)};
    return s;
}

static TovuResult invoke(TovuDispatch *self, int32_t dispId, uint32_t kind, TovuVariant *args, uint32_t argCount,
                         const TovuString *names, uint32_t nameCount, TovuVariant *result, TovuError *error)
{
    Resources *r = (Resources *)self;
    if (dispId != DISPID_GETRESOURCESTRING)
        return TOVU_E_MEMBERNOTFOUND;
    if (kind != TOVU_CALL_METHOD && kind != TOVU_CALL_GET)
        return TOVU_E_MEMBERNOTFOUND; /* a method cannot be assigned to */
    if (nameCount > 1 || (nameCount == 1 && !sameTextIgnoringCase(names[0].utf8, names[0].length, "ResourceIndex")))
        return TOVU_E_PARAMNOTFOUND;
    if (argCount == 0)
        return TOVU_E_PARAMNOTOPTIONAL;
    if (argCount != 1)
        return TOVU_E_BADPARAMCOUNT;
    if (!result || !error)
        return TOVU_E_POINTER;

    int32_t id = 0;
    TovuResult converted = resourceIndexOf(&args[0], &id);
    if (converted != TOVU_S_OK)
        return converted;

    const TovuStringEntry *e = tovu_find_string(&tovu_library_string_table, id);
    if (!e) {
        error->number = ERROR_RESOURCE_NOT_FOUND;
        error->source.utf8 = TOVU_PROJECT_NAME;
        error->source.length = sizeof TOVU_PROJECT_NAME - 1;
        error->description = notFoundMessage(r, id);
        return TOVU_E_EXCEPTION;
    }
    result->type = TOVU_VT_STRING;
    result->flags = 0;
    result->u.str.utf8 = e->text;
    result->u.str.length = e->length;
    return TOVU_S_OK;
}

static const TovuDispatchVtbl resourcesVtbl = {
    TOVU_INPROC_ABI_VERSION, addRef, release, getIdOfName, invoke, NULL,
};

TOVU_EXPORT TovuResult DllGetClassObject(const char *progId, TovuDispatch **object)
{
    if (!object)
        return TOVU_E_POINTER;
    *object = 0;
    if (!progId || !sameTextIgnoringCase(progId, strlen(progId), PROG_ID))
        return TOVU_E_CLASSNOTAVAILABLE;
    Resources *r = (Resources *)calloc(1, sizeof *r);
    if (!r)
        return TOVU_E_OUTOFMEMORY;
    r->dispatch.vtbl = &resourcesVtbl;
    r->refs = 1;
    __atomic_add_fetch(&liveObjects, 1, __ATOMIC_RELAXED);
    *object = &r->dispatch;
    return TOVU_S_OK;
}

TOVU_EXPORT TovuResult DllCanUnloadNow(void)
{
    return __atomic_load_n(&liveObjects, __ATOMIC_RELAXED) == 0 ? TOVU_S_OK : TOVU_S_FALSE;
}

static TovuResult checkRegistrar(const TovuRegistrar *registrar)
{
    if (!registrar)
        return TOVU_E_POINTER;
    if (registrar->abiVersion != TOVU_INPROC_ABI_VERSION)
        return TOVU_E_VERSION;
    return TOVU_S_OK;
}

TOVU_EXPORT TovuResult DllRegisterServer(const TovuRegistrar *registrar)
{
    TovuResult ok = checkRegistrar(registrar);
    if (ok != TOVU_S_OK || !registrar->addClass)
        return ok != TOVU_S_OK ? ok : TOVU_E_POINTER;
    return registrar->addClass(registrar->context, PROG_ID);
}

TOVU_EXPORT TovuResult DllUnregisterServer(const TovuRegistrar *registrar)
{
    TovuResult ok = checkRegistrar(registrar);
    if (ok != TOVU_S_OK || !registrar->removeClass)
        return ok != TOVU_S_OK ? ok : TOVU_E_POINTER;
    return registrar->removeClass(registrar->context, PROG_ID);
}
