/*
 * The binary interface between the program and an in-process server: a shared library
 * that serves one or more classes by ProgID (the language libraries, the document
 * control). Plain C, so that a server needs nothing beyond libc; C++ servers implement
 * the same interface (see ExportedDispatch.h for a ready adapter).
 *
 * A server library exports four functions with C linkage:
 *
 *   TovuResult DllGetClassObject(const char* progId, TovuDispatch** object);
 *       Creates a new object of the class named by progId (UTF-8, NUL-terminated,
 *       compared without regard to case) and stores it in *object with one reference
 *       that the caller owns. TOVU_E_CLASSNOTAVAILABLE when the library serves no such
 *       class; *object is then NULL.
 *   TovuResult DllCanUnloadNow(void);
 *       TOVU_S_OK when no object of the library is alive any more (the host may unload
 *       it), TOVU_S_FALSE otherwise.
 *   TovuResult DllRegisterServer(const TovuRegistrar* registrar);
 *       Names every class the library serves: registrar->addClass(registrar->context,
 *       progId) once per ProgID. The host records that those ProgIDs live in this
 *       library's file; the library need not know where it lies.
 *   TovuResult DllUnregisterServer(const TovuRegistrar* registrar);
 *       The same with registrar->removeClass.
 *
 * An object is a struct whose first member is a TovuDispatch, that is a pointer to a
 * table of functions (TovuDispatchVtbl) the server defines once, statically:
 *
 *   addRef / release   reference counting; release frees the object at zero.
 *   getIdOfName        the dispatch identifier of a member, by UTF-8 name compared
 *                      without regard to case; TOVU_E_UNKNOWNNAME when there is none.
 *   invoke             calls a member, see below.
 *   getTypeName        optional (NULL): the object's class name.
 *
 * invoke(self, dispId, kind, args, argCount, names, nameCount, result, error):
 *   kind     TOVU_CALL_METHOD, TOVU_CALL_GET or both or-ed (treat them alike: a
 *            caller reading a value may use any), TOVU_CALL_PUT or TOVU_CALL_PUTREF
 *            (the value assigned is the last argument).
 *   args     argCount values in call order, first argument first. Every argument is
 *            passed by reference: to give a value back to the caller, the server
 *            overwrites args[i] entirely and sets TOVU_VF_WRITTEN in args[i].flags.
 *            Without that flag the host ignores the slot. A server must not change
 *            anything the host's values point to (strings, array elements).
 *   names    nameCount UTF-8 names of the LAST nameCount arguments (named arguments);
 *            nameCount is 0 for plain positional calls. A server that takes no named
 *            arguments answers TOVU_E_NONAMEDARGS when nameCount > 0.
 *   result   set to TOVU_VT_EMPTY by the host before the call; the server stores the
 *            return value there.
 *   error    zeroed by the host; see failures below.
 *   Returns TOVU_S_OK on success.
 *
 * Failures: a member that raises an error returns TOVU_E_EXCEPTION and fills *error
 * with its number (a run-time error number such as 326, or a 32-bit code such as
 * TOVU_OBJECT_ERROR_BASE + 1001), its source and its description; the caller receives
 * exactly that. Any other failure code (TOVU_E_MEMBERNOTFOUND, TOVU_E_TYPEMISMATCH,
 * TOVU_E_BADPARAMCOUNT ...) reaches the caller as the matching standard error.
 *
 * Who owns what:
 *   - Values the host passes in (args, names, the strings and arrays in them) belong
 *     to the host and stay valid for the duration of the call only. An object found in
 *     an argument is borrowed: addRef it to keep it.
 *   - Everything the server hands out (in *result, in written arguments, in *error:
 *     strings, arrays, objects) belongs to the server and must stay valid until the
 *     server's next call on the same object, or its release; the host copies strings
 *     and arrays at once and addRefs objects it keeps. Pointers into static data (a
 *     string table compiled into the library) are the simplest case. No reference
 *     passes with a value in either direction; only DllGetClassObject hands one over.
 *
 * Strings are UTF-8 with an explicit length and need no terminating NUL (they may
 * contain NUL characters). Booleans are 16-bit: True is -1, False 0; the host reads
 * any non-zero value as True.
 *
 * A minimal server (one class, one method, no named arguments) in C:
 *
 *   static TovuResult invoke(TovuDispatch* self, int32_t id, uint32_t kind,
 *                            TovuVariant* args, uint32_t argCount,
 *                            const TovuString* names, uint32_t nameCount,
 *                            TovuVariant* result, TovuError* error)
 *   {
 *       if (id != 0x60030000) return TOVU_E_MEMBERNOTFOUND;
 *       if (nameCount) return TOVU_E_NONAMEDARGS;
 *       if (argCount != 1) return TOVU_E_BADPARAMCOUNT;
 *       if (args[0].type != TOVU_VT_I4) return TOVU_E_TYPEMISMATCH;
 *       const char* text = lookUp(args[0].u.i4);
 *       if (!text) {
 *           error->number = 326;
 *           error->description = (TovuString){"Resource not found", 18};
 *           return TOVU_E_EXCEPTION;
 *       }
 *       result->type = TOVU_VT_STRING;
 *       result->u.str = (TovuString){text, strlen(text)};
 *       return TOVU_S_OK;
 *   }
 *
 * (A host that passes a 16-bit number, a Double or a text where a Long is expected is
 * a caller's choice; a forgiving server converts TOVU_VT_I2 and the others itself.)
 *
 * Its function table, and the object DllGetClassObject hands out:
 *
 *   static const TovuDispatchVtbl vtbl = {TOVU_INPROC_ABI_VERSION, addRef, release,
 *                                         getIdOfName, invoke, NULL};
 *   typedef struct { TovuDispatch base; uint32_t refs; } Object;   (refs starts at 1)
 *
 * The host opens a server library only by its absolute path: from the per-user class
 * registry, where DllRegisterServer put it, or from the program's own library folder,
 * where the file for ProgID "Project.Class" is "libproject.so" or "project.so" (the
 * project name in lower case).
 */
#ifndef TOVU_PLATFORM_AUTOMATION_INPROCSERVER_H
#define TOVU_PLATFORM_AUTOMATION_INPROCSERVER_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TOVU_INPROC_ABI_VERSION 1u

#if defined(__GNUC__)
#define TOVU_EXPORT __attribute__((visibility("default")))
#else
#define TOVU_EXPORT
#endif

typedef int32_t TovuResult;

#define TOVU_S_OK ((TovuResult)0)
#define TOVU_S_FALSE ((TovuResult)1)
#define TOVU_E_FAIL ((TovuResult)0x80004005u)
#define TOVU_E_POINTER ((TovuResult)0x80004003u)
#define TOVU_E_OUTOFMEMORY ((TovuResult)0x8007000Eu)
#define TOVU_E_INVALIDARG ((TovuResult)0x80070057u)
#define TOVU_E_MEMBERNOTFOUND ((TovuResult)0x80020003u)
#define TOVU_E_PARAMNOTFOUND ((TovuResult)0x80020004u)
#define TOVU_E_TYPEMISMATCH ((TovuResult)0x80020005u)
#define TOVU_E_UNKNOWNNAME ((TovuResult)0x80020006u)
#define TOVU_E_NONAMEDARGS ((TovuResult)0x80020007u)
#define TOVU_E_EXCEPTION ((TovuResult)0x80020009u)
#define TOVU_E_OVERFLOW ((TovuResult)0x8002000Au)
#define TOVU_E_BADINDEX ((TovuResult)0x8002000Bu)
#define TOVU_E_BADPARAMCOUNT ((TovuResult)0x8002000Eu)
#define TOVU_E_PARAMNOTOPTIONAL ((TovuResult)0x8002000Fu)
#define TOVU_E_CLASSNOTAVAILABLE ((TovuResult)0x80040111u)
#define TOVU_E_VERSION ((TovuResult)0x80040112u) /* the other side speaks another ABI version */

/* Base of the error numbers a server defines for its own errors. */
#define TOVU_OBJECT_ERROR_BASE ((int32_t)0x80040000u)

/* Value kinds, numbered as the automation run-time numbers them. */
#define TOVU_VT_EMPTY 0u
#define TOVU_VT_NULL 1u
#define TOVU_VT_I2 2u       /* Integer, u.i2 */
#define TOVU_VT_I4 3u       /* Long, u.i4 */
#define TOVU_VT_R4 4u       /* Single, u.r4 */
#define TOVU_VT_R8 5u       /* Double, u.r8 */
#define TOVU_VT_CY 6u       /* Currency, u.cy: the amount times 10000 */
#define TOVU_VT_DATE 7u     /* Date, u.date: days since 1899-12-30 */
#define TOVU_VT_STRING 8u   /* String, u.str */
#define TOVU_VT_DISPATCH 9u /* Object, u.object (NULL: Nothing) */
#define TOVU_VT_ERROR 10u   /* Error value, u.error; TOVU_E_PARAMNOTFOUND: argument left out */
#define TOVU_VT_BOOL 11u    /* Boolean, u.boolean: -1 True, 0 False */
#define TOVU_VT_UI1 17u     /* Byte, u.ui1 */
#define TOVU_VT_ARRAY 0x2000u /* or-ed with the element kind; u.array, elements are TovuVariants */

/* TovuVariant.flags */
#define TOVU_VF_WRITTEN 1u /* set by a server on an argument it overwrote */

/* TovuDispatchVtbl.invoke kind */
#define TOVU_CALL_METHOD 1u
#define TOVU_CALL_GET 2u
#define TOVU_CALL_PUT 4u
#define TOVU_CALL_PUTREF 8u

typedef struct TovuString {
    const char* utf8;
    size_t length; /* in bytes */
} TovuString;

typedef struct TovuVariant TovuVariant;
typedef struct TovuDispatch TovuDispatch;

/* An n-dimensional array. Elements are stored with the first index varying fastest;
 * an array with dims == 0 is declared but unallocated. */
typedef struct TovuArray {
    uint32_t dims;
    const int32_t* lowerBounds; /* dims entries */
    const uint32_t* counts;     /* dims entries: elements per dimension */
    const TovuVariant* elements; /* product of counts entries */
} TovuArray;

struct TovuVariant {
    uint16_t type;
    uint16_t flags;
    union {
        int16_t i2;
        int32_t i4;
        float r4;
        double r8;
        int64_t cy;
        double date;
        TovuString str;
        TovuDispatch* object;
        int32_t error;
        int16_t boolean;
        uint8_t ui1;
        TovuArray array;
    } u;
};

typedef struct TovuError {
    int32_t number;
    TovuString source;
    TovuString description;
} TovuError;

typedef struct TovuDispatchVtbl {
    uint32_t abiVersion; /* TOVU_INPROC_ABI_VERSION */
    uint32_t (*addRef)(TovuDispatch* self);
    uint32_t (*release)(TovuDispatch* self);
    TovuResult (*getIdOfName)(TovuDispatch* self, const char* name, size_t length, int32_t* dispId);
    TovuResult (*invoke)(TovuDispatch* self, int32_t dispId, uint32_t kind, TovuVariant* args,
                         uint32_t argCount, const TovuString* names, uint32_t nameCount,
                         TovuVariant* result, TovuError* error);
    /* Optional, may be NULL: the name of the object's class ("Collection", "TextBox"), by
     * which a caller tests that an object is of the class it requires. The text stays
     * valid until the object's next call or release. Without it the object's class name
     * is "Object". */
    TovuResult (*getTypeName)(TovuDispatch* self, TovuString* name);
} TovuDispatchVtbl;

struct TovuDispatch {
    const TovuDispatchVtbl* vtbl;
};

typedef struct TovuRegistrar {
    uint32_t abiVersion; /* TOVU_INPROC_ABI_VERSION */
    void* context;       /* the host's; pass it back unchanged */
    TovuResult (*addClass)(void* context, const char* progId);
    TovuResult (*removeClass)(void* context, const char* progId);
} TovuRegistrar;

/* The entry points a server defines (declared here so that its definitions are checked
 * against them), and their types as the host looks them up. */
TOVU_EXPORT TovuResult DllGetClassObject(const char* progId, TovuDispatch** object);
TOVU_EXPORT TovuResult DllCanUnloadNow(void);
TOVU_EXPORT TovuResult DllRegisterServer(const TovuRegistrar* registrar);
TOVU_EXPORT TovuResult DllUnregisterServer(const TovuRegistrar* registrar);

typedef TovuResult (*TovuDllGetClassObjectFn)(const char* progId, TovuDispatch** object);
typedef TovuResult (*TovuDllCanUnloadNowFn)(void);
typedef TovuResult (*TovuDllRegisterServerFn)(const TovuRegistrar* registrar);
typedef TovuResult (*TovuDllUnregisterServerFn)(const TovuRegistrar* registrar);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TOVU_PLATFORM_AUTOMATION_INPROCSERVER_H */
