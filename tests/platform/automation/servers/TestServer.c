/* A small in-process server for the activation tests, written against the binary
 * interface alone and linked against nothing beyond libc. The build compiles it under
 * several project names; each copy serves the class "<project>.Strings". */

#include "platform/automation/InProcServer.h"

#include <stdlib.h>
#include <string.h>
#include <strings.h>

#ifndef SERVER_PROJECT
#error "SERVER_PROJECT names the project whose class this library serves"
#endif

static const char progId[] = SERVER_PROJECT ".Strings";
static int liveObjects = 0;

typedef struct Strings {
    TovuDispatch base;
    uint32_t references;
    char* buffer;           /* the text handed out by the last call */
    TovuDispatch* child;    /* the object handed out by the last call */
} Strings;

enum { GetResourceString = 0x60030000, Increment = 1, Append = 2, CallMember = 3, CreateChild = 4 };

static const struct { const char* name; int32_t id; } members[] = {
    {"GetResourceString", GetResourceString},
    {"Increment", Increment},
    {"Append", Append},
    {"CallMember", CallMember},
    {"CreateChild", CreateChild},
};

static const struct { int32_t id; const char* text; } table[] = {
    {1, "Deutscher"},
    {2, "Sprache"},
    {130, "TOVU"},
    {131, "Gr\xc3\xbc\xc3\x9f" "e"},
    {132, ""},
};

static TovuDispatch* newStrings(void);

static TovuString literal(const char* text)
{
    TovuString s = {text, strlen(text)};
    return s;
}

/* Forgets what the previous call handed out. */
static void dropHandedOut(Strings* self)
{
    free(self->buffer);
    self->buffer = NULL;
    if (self->child) {
        self->child->vtbl->release(self->child);
        self->child = NULL;
    }
}

static TovuString keep(Strings* self, const char* a, size_t aLength, const char* b, size_t bLength)
{
    TovuString s = {NULL, 0};
    self->buffer = malloc(aLength + bLength + 1);
    if (!self->buffer)
        return s;
    if (aLength)
        memcpy(self->buffer, a, aLength);
    if (bLength)
        memcpy(self->buffer + aLength, b, bLength);
    s.utf8 = self->buffer;
    s.length = aLength + bLength;
    return s;
}

static uint32_t addRef(TovuDispatch* object)
{
    return ++((Strings*)object)->references;
}

static uint32_t release(TovuDispatch* object)
{
    Strings* self = (Strings*)object;
    uint32_t left = --self->references;
    if (left == 0) {
        dropHandedOut(self);
        free(self);
        --liveObjects;
    }
    return left;
}

static TovuResult getIdOfName(TovuDispatch* object, const char* name, size_t length, int32_t* dispId)
{
    (void)object;
    for (size_t i = 0; i < sizeof members / sizeof members[0]; ++i) {
        if (strlen(members[i].name) == length && strncasecmp(members[i].name, name, length) == 0) {
            *dispId = members[i].id;
            return TOVU_S_OK;
        }
    }
    *dispId = -1;
    return TOVU_E_UNKNOWNNAME;
}

static TovuResult lookUp(const TovuVariant* index, TovuVariant* result, TovuError* error)
{
    int32_t id;
    if (index->type == TOVU_VT_I4)
        id = index->u.i4;
    else if (index->type == TOVU_VT_I2)
        id = index->u.i2;
    else
        return TOVU_E_TYPEMISMATCH;
    for (size_t i = 0; i < sizeof table / sizeof table[0]; ++i) {
        if (table[i].id == id) {
            result->type = TOVU_VT_STRING;
            result->u.str = literal(table[i].text);
            return TOVU_S_OK;
        }
    }
    error->number = 326;
    error->source = literal(progId);
    error->description = literal("Resource not found");
    return TOVU_E_EXCEPTION;
}

/* Calls a member of an object the host passed, by name, and hands back its text. */
static TovuResult callMember(Strings* self, TovuVariant* args, TovuVariant* result, TovuError* error)
{
    TovuDispatch* target = args[0].u.object;
    int32_t id;
    TovuVariant answer;
    TovuResult status;
    if (args[0].type != TOVU_VT_DISPATCH || !target || args[1].type != TOVU_VT_STRING)
        return TOVU_E_TYPEMISMATCH;
    status = target->vtbl->getIdOfName(target, args[1].u.str.utf8, args[1].u.str.length, &id);
    if (status != TOVU_S_OK)
        return status;
    answer.type = TOVU_VT_EMPTY;
    answer.flags = 0;
    status = target->vtbl->invoke(target, id, TOVU_CALL_METHOD | TOVU_CALL_GET, NULL, 0, NULL, 0, &answer, error);
    if (status != TOVU_S_OK)
        return status; /* an error record, if any, is the target's and still valid */
    if (answer.type != TOVU_VT_STRING)
        return TOVU_E_TYPEMISMATCH;
    result->type = TOVU_VT_STRING;
    result->u.str = keep(self, answer.u.str.utf8, answer.u.str.length, "", 0);
    return TOVU_S_OK;
}

static TovuResult invoke(TovuDispatch* object, int32_t dispId, uint32_t kind, TovuVariant* args,
                         uint32_t argCount, const TovuString* names, uint32_t nameCount,
                         TovuVariant* result, TovuError* error)
{
    Strings* self = (Strings*)object;
    (void)kind;
    (void)names;
    dropHandedOut(self);
    if (nameCount)
        return TOVU_E_NONAMEDARGS;
    switch (dispId) {
    case GetResourceString:
        if (argCount != 1)
            return TOVU_E_BADPARAMCOUNT;
        return lookUp(&args[0], result, error);
    case Increment: /* Increment(ByRef n As Long) */
        if (argCount != 1)
            return TOVU_E_BADPARAMCOUNT;
        if (args[0].type != TOVU_VT_I4)
            return TOVU_E_TYPEMISMATCH;
        args[0].u.i4 += 1;
        args[0].flags |= TOVU_VF_WRITTEN;
        return TOVU_S_OK;
    case Append: /* Append(ByRef text As String, suffix As String) As Long */
        if (argCount != 2)
            return TOVU_E_BADPARAMCOUNT;
        if (args[0].type != TOVU_VT_STRING || args[1].type != TOVU_VT_STRING)
            return TOVU_E_TYPEMISMATCH;
        args[0].u.str = keep(self, args[0].u.str.utf8, args[0].u.str.length, args[1].u.str.utf8, args[1].u.str.length);
        if (!args[0].u.str.utf8)
            return TOVU_E_OUTOFMEMORY;
        args[0].flags |= TOVU_VF_WRITTEN;
        result->type = TOVU_VT_I4;
        result->u.i4 = (int32_t)args[0].u.str.length;
        return TOVU_S_OK;
    case CallMember:
        if (argCount != 2)
            return TOVU_E_BADPARAMCOUNT;
        return callMember(self, args, result, error);
    case CreateChild:
        self->child = newStrings();
        if (!self->child)
            return TOVU_E_OUTOFMEMORY;
        result->type = TOVU_VT_DISPATCH;
        result->u.object = self->child;
        return TOVU_S_OK;
    default:
        return TOVU_E_MEMBERNOTFOUND;
    }
}

/* No class name: callers see the class as "Object". */
static const TovuDispatchVtbl stringsVtbl = {TOVU_INPROC_ABI_VERSION, addRef, release, getIdOfName, invoke, NULL};

static TovuDispatch* newStrings(void)
{
    Strings* self = calloc(1, sizeof *self);
    if (!self)
        return NULL;
    self->base.vtbl = &stringsVtbl;
    self->references = 1;
    ++liveObjects;
    return &self->base;
}

TovuResult DllGetClassObject(const char* requested, TovuDispatch** object)
{
    if (!object)
        return TOVU_E_POINTER;
    *object = NULL;
    if (!requested || strcasecmp(requested, progId) != 0)
        return TOVU_E_CLASSNOTAVAILABLE;
    *object = newStrings();
    return *object ? TOVU_S_OK : TOVU_E_OUTOFMEMORY;
}

TovuResult DllCanUnloadNow(void)
{
    return liveObjects == 0 ? TOVU_S_OK : TOVU_S_FALSE;
}

TovuResult DllRegisterServer(const TovuRegistrar* registrar)
{
    if (!registrar || registrar->abiVersion != TOVU_INPROC_ABI_VERSION)
        return TOVU_E_VERSION;
    return registrar->addClass(registrar->context, progId);
}

TovuResult DllUnregisterServer(const TovuRegistrar* registrar)
{
    if (!registrar || registrar->abiVersion != TOVU_INPROC_ABI_VERSION)
        return TOVU_E_VERSION;
    return registrar->removeClass(registrar->context, progId);
}
