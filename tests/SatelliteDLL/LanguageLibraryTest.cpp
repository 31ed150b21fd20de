// The seven language libraries through their C entry points, as any host would load them.
#include "TableFiles.h"
#include "platform/automation/InProcServer.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace tovu::satellite::test;

namespace {

constexpr int32_t kGetResourceString = 0x60030000;

struct LibraryCase {
    const char* table;  // table name in TableFiles
    const char* progId; // as the libraries spell their project names
};
const LibraryCase kLibraries[] = {
    {"407", "TOVU407.clsResources"}, {"419", "TOVU419.clsResources"}, {"409", "TOVU409.clsResources"},
    {"40b", "TOVU40b.clsResources"}, {"809", "TOVU809.clsResources"}, {"40a", "TOVU40A.clsResources"},
    {"40c", "TOVU40C.clsResources"},
};

std::string libraryPath(const std::string& table) { return std::string(TOVU_BIN_DIR) + "/libtovu" + table + ".so"; }

class Library {
public:
    explicit Library(const std::string& table)
        : handle_(dlopen(libraryPath(table).c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        if (handle_) {
            getClassObject = reinterpret_cast<TovuDllGetClassObjectFn>(dlsym(handle_, "DllGetClassObject"));
            canUnloadNow = reinterpret_cast<TovuDllCanUnloadNowFn>(dlsym(handle_, "DllCanUnloadNow"));
            registerServer = reinterpret_cast<TovuDllRegisterServerFn>(dlsym(handle_, "DllRegisterServer"));
            unregisterServer = reinterpret_cast<TovuDllUnregisterServerFn>(dlsym(handle_, "DllUnregisterServer"));
        }
    }
    ~Library()
    {
        if (handle_)
            dlclose(handle_);
    }
    bool loaded() const { return handle_ && getClassObject && canUnloadNow && registerServer && unregisterServer; }

    TovuDllGetClassObjectFn getClassObject = nullptr;
    TovuDllCanUnloadNowFn canUnloadNow = nullptr;
    TovuDllRegisterServerFn registerServer = nullptr;
    TovuDllUnregisterServerFn unregisterServer = nullptr;

private:
    void* handle_;
};

struct ObjectRelease {
    void operator()(TovuDispatch* d) const { d->vtbl->release(d); }
};
using Object = std::unique_ptr<TovuDispatch, ObjectRelease>;

Object create(const Library& lib, const char* progId)
{
    TovuDispatch* d = reinterpret_cast<TovuDispatch*>(0x1);
    const TovuResult hr = lib.getClassObject(progId, &d);
    if (hr != TOVU_S_OK) {
        EXPECT_EQ(d, nullptr);
        return Object();
    }
    return Object(d);
}

struct Call {
    TovuResult hr;
    TovuVariant result;
    TovuError error;
    std::string text() const { return std::string(result.u.str.utf8, result.u.str.length); }
};

Call call(TovuDispatch* d, TovuVariant arg, uint32_t kind = TOVU_CALL_METHOD, const TovuString* names = nullptr,
          uint32_t nameCount = 0)
{
    Call c{};
    c.result.type = TOVU_VT_EMPTY;
    c.hr = d->vtbl->invoke(d, kGetResourceString, kind, &arg, 1, names, nameCount, &c.result, &c.error);
    EXPECT_EQ(arg.flags & TOVU_VF_WRITTEN, 0u) << "the id argument is not written back";
    return c;
}

TovuVariant longArg(int32_t v)
{
    TovuVariant a{};
    a.type = TOVU_VT_I4;
    a.u.i4 = v;
    return a;
}

} // namespace

TEST(LanguageLibrary, EveryTextOfItsTableAndNothingElse)
{
    for (const auto& lc : kLibraries) {
        Library lib(lc.table);
        ASSERT_TRUE(lib.loaded()) << libraryPath(lc.table) << ": " << dlerror();
        Object obj = create(lib, lc.progId);
        ASSERT_TRUE(obj) << lc.progId;
        const auto table = loadTable(lc.table);
        for (const auto& [id, text] : table) {
            const Call c = call(obj.get(), longArg(id));
            ASSERT_EQ(c.hr, TOVU_S_OK) << lc.table << " id " << id;
            ASSERT_EQ(c.result.type, TOVU_VT_STRING);
            EXPECT_EQ(c.text(), text) << lc.table << " id " << id; // UTF-8 exactly as in the file
        }
        // Ids around and between the table's entries are missing, not empty.
        for (int id : {0, -1, 3, 59, 128, 200, 201, 213, 900, 910, 5000, 99999, INT32_MAX, INT32_MIN}) {
            if (table.count(id))
                continue;
            const Call c = call(obj.get(), longArg(id));
            EXPECT_EQ(c.hr, TOVU_E_EXCEPTION) << lc.table << " id " << id;
            EXPECT_EQ(c.error.number, 326) << lc.table << " id " << id;
            const std::string description(c.error.description.utf8, c.error.description.length);
            EXPECT_EQ(description, "Resource with identifier '" + std::to_string(id) + "' not found");
            EXPECT_EQ(std::string(c.error.source.utf8, c.error.source.length),
                      std::string(lc.progId).substr(0, std::string(lc.progId).find('.')));
        }
        EXPECT_EQ(call(obj.get(), longArg(130)).text(), "TOVU") << lc.table;
    }
}

TEST(LanguageLibrary, ProgIdsMatchWithoutRegardToCaseAndOnlyTheirOwn)
{
    Library lib("40b");
    ASSERT_TRUE(lib.loaded()) << dlerror();
    for (const char* progId : {"TOVU40b.clsResources", "TOVU40B.clsResources", "tovu40b.CLSRESOURCES"})
        EXPECT_TRUE(create(lib, progId)) << progId;
    for (const char* progId : {"TOVU409.clsResources", "TOVU40b.clsResource", "TOVU40b.clsResourcesX", "TOVU40b",
                               "", "TOVU40b.clsResources "}) {
        TovuDispatch* d = nullptr;
        EXPECT_EQ(lib.getClassObject(progId, &d), TOVU_E_CLASSNOTAVAILABLE) << progId;
        EXPECT_EQ(d, nullptr);
    }
    EXPECT_EQ(lib.getClassObject("TOVU40b.clsResources", nullptr), TOVU_E_POINTER);
}

TEST(LanguageLibrary, MemberIsFoundByNameWithoutRegardToCase)
{
    Library lib("809");
    ASSERT_TRUE(lib.loaded()) << dlerror();
    Object obj = create(lib, "TOVU809.clsResources");
    ASSERT_TRUE(obj);
    for (std::string name : {"GetResourceString", "GetresourceString", "GETRESOURCESTRING"}) {
        int32_t id = 0;
        EXPECT_EQ(obj->vtbl->getIdOfName(obj.get(), name.data(), name.size(), &id), TOVU_S_OK) << name;
        EXPECT_EQ(id, kGetResourceString);
    }
    for (std::string name : {"GetResourceStrin", "GetResourceStrings", "", "Item"}) {
        int32_t id = 0;
        EXPECT_EQ(obj->vtbl->getIdOfName(obj.get(), name.data(), name.size(), &id), TOVU_E_UNKNOWNNAME) << name;
    }
    TovuVariant result{}, arg = longArg(70);
    TovuError error{};
    EXPECT_EQ(obj->vtbl->invoke(obj.get(), 1, TOVU_CALL_METHOD, &arg, 1, nullptr, 0, &result, &error),
              TOVU_E_MEMBERNOTFOUND);
    EXPECT_EQ(call(obj.get(), longArg(70)).text(), "Unit Memory");
    EXPECT_EQ(call(obj.get(), longArg(70), TOVU_CALL_GET).text(), "Unit Memory");
    EXPECT_EQ(call(obj.get(), longArg(70), TOVU_CALL_PUT).hr, TOVU_E_MEMBERNOTFOUND);
    const TovuString named = {"resourceindex", 13}, wrong = {"Index", 5};
    EXPECT_EQ(call(obj.get(), longArg(70), TOVU_CALL_METHOD, &named, 1).text(), "Unit Memory");
    EXPECT_EQ(call(obj.get(), longArg(70), TOVU_CALL_METHOD, &wrong, 1).hr, TOVU_E_PARAMNOTFOUND);
}

TEST(LanguageLibrary, IdArgumentIsConvertedAsALong)
{
    Library lib("407");
    ASSERT_TRUE(lib.loaded()) << dlerror();
    Object obj = create(lib, "TOVU407.clsResources");
    ASSERT_TRUE(obj);
    const std::string sprache = "Sprache";
    auto arg = [](uint16_t type, auto set) {
        TovuVariant v{};
        v.type = type;
        set(v);
        return v;
    };
    struct {
        const char* what;
        TovuVariant v;
        TovuResult hr;
    } cases[] = {
        {"Integer 2", arg(TOVU_VT_I2, [](TovuVariant& v) { v.u.i2 = 2; }), TOVU_S_OK},
        {"Byte 2", arg(TOVU_VT_UI1, [](TovuVariant& v) { v.u.ui1 = 2; }), TOVU_S_OK},
        {"Double 2.4", arg(TOVU_VT_R8, [](TovuVariant& v) { v.u.r8 = 2.4; }), TOVU_S_OK},
        {"Double 2.5 (to even)", arg(TOVU_VT_R8, [](TovuVariant& v) { v.u.r8 = 2.5; }), TOVU_S_OK},
        {"Single 1.5 (to even)", arg(TOVU_VT_R4, [](TovuVariant& v) { v.u.r4 = 1.5f; }), TOVU_S_OK},
        {"Currency 2", arg(TOVU_VT_CY, [](TovuVariant& v) { v.u.cy = 20000; }), TOVU_S_OK},
        {"text \" 2 \"", arg(TOVU_VT_STRING, [](TovuVariant& v) { v.u.str = {" 2 ", 3}; }), TOVU_S_OK},
        {"text \"x\"", arg(TOVU_VT_STRING, [](TovuVariant& v) { v.u.str = {"x", 1}; }), TOVU_E_TYPEMISMATCH},
        {"text \"\"", arg(TOVU_VT_STRING, [](TovuVariant& v) { v.u.str = {"", 0}; }), TOVU_E_TYPEMISMATCH},
        {"text too big", arg(TOVU_VT_STRING, [](TovuVariant& v) { v.u.str = {"2147483648", 10}; }), TOVU_E_OVERFLOW},
        {"Double too big", arg(TOVU_VT_R8, [](TovuVariant& v) { v.u.r8 = 3e9; }), TOVU_E_OVERFLOW},
        {"Null", arg(TOVU_VT_NULL, [](TovuVariant&) {}), TOVU_E_TYPEMISMATCH},
        {"Nothing", arg(TOVU_VT_DISPATCH, [](TovuVariant& v) { v.u.object = nullptr; }), TOVU_E_TYPEMISMATCH},
        {"left out", arg(TOVU_VT_ERROR, [](TovuVariant& v) { v.u.error = TOVU_E_PARAMNOTFOUND; }),
         TOVU_E_PARAMNOTOPTIONAL},
    };
    for (const auto& c : cases) {
        const Call r = call(obj.get(), c.v);
        EXPECT_EQ(r.hr, c.hr) << c.what;
        if (c.hr == TOVU_S_OK && r.hr == TOVU_S_OK) {
            EXPECT_EQ(r.text(), sprache) << c.what;
        }
    }
    TovuVariant result{};
    TovuError error{};
    EXPECT_EQ(obj->vtbl->invoke(obj.get(), kGetResourceString, TOVU_CALL_METHOD, nullptr, 0, nullptr, 0, &result,
                                &error),
              TOVU_E_PARAMNOTOPTIONAL);
    TovuVariant two[2] = {longArg(2), longArg(2)};
    EXPECT_EQ(obj->vtbl->invoke(obj.get(), kGetResourceString, TOVU_CALL_METHOD, two, 2, nullptr, 0, &result, &error),
              TOVU_E_BADPARAMCOUNT);
}

TEST(LanguageLibrary, CountsLiveObjectsAndRegistersItsProgId)
{
    Library lib("419");
    ASSERT_TRUE(lib.loaded()) << dlerror();
    EXPECT_EQ(lib.canUnloadNow(), TOVU_S_OK);
    {
        Object a = create(lib, "TOVU419.clsResources");
        Object b = create(lib, "TOVU419.clsResources");
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->vtbl->addRef(a.get()), 2u);
        EXPECT_EQ(a->vtbl->release(a.get()), 1u);
        EXPECT_EQ(lib.canUnloadNow(), TOVU_S_FALSE);
        b.reset();
        EXPECT_EQ(lib.canUnloadNow(), TOVU_S_FALSE);
    }
    EXPECT_EQ(lib.canUnloadNow(), TOVU_S_OK);

    struct Registry {
        std::set<std::string> classes;
    } registry;
    TovuRegistrar registrar{TOVU_INPROC_ABI_VERSION, &registry,
                            [](void* ctx, const char* progId) {
                                static_cast<Registry*>(ctx)->classes.insert(progId);
                                return TOVU_S_OK;
                            },
                            [](void* ctx, const char* progId) {
                                static_cast<Registry*>(ctx)->classes.erase(progId);
                                return TOVU_S_OK;
                            }};
    EXPECT_EQ(lib.registerServer(&registrar), TOVU_S_OK);
    EXPECT_EQ(registry.classes, std::set<std::string>{"TOVU419.clsResources"});
    EXPECT_EQ(lib.unregisterServer(&registrar), TOVU_S_OK);
    EXPECT_TRUE(registry.classes.empty());
    TovuRegistrar other = registrar;
    other.abiVersion = 2;
    EXPECT_EQ(lib.registerServer(&other), TOVU_E_VERSION);
    EXPECT_EQ(lib.registerServer(nullptr), TOVU_E_POINTER);
}

TEST(LanguageLibrary, NeedsNothingBeyondLibc)
{
    for (const auto& lc : kLibraries) {
        const std::string cmd = "readelf -d '" + libraryPath(lc.table) + "' 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> p(popen(cmd.c_str(), "r"), pclose);
        ASSERT_TRUE(p);
        std::string out;
        char buf[512];
        while (fgets(buf, sizeof buf, p.get()))
            out += buf;
        std::vector<std::string> needed;
        for (size_t pos = out.find("(NEEDED)"); pos != std::string::npos; pos = out.find("(NEEDED)", pos + 1)) {
            const size_t open = out.find('[', pos), close = out.find(']', open);
            needed.push_back(out.substr(open + 1, close - open - 1));
        }
        EXPECT_EQ(needed, std::vector<std::string>{"libc.so.6"}) << lc.table << "\n" << out;
    }
}
