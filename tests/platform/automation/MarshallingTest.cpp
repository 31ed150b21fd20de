// Calls that cross the binary interface of in-process servers, without a library: a
// table-built object is exported to C and wrapped back, so every value goes through the
// C form and back.

#include "platform/automation/DispatchTable.h"
#include "platform/automation/ExportedDispatch.h"
#include "platform/automation/ForeignDispatch.h"
#include "platform/automation/SafeArray.h"
#include "platform/automation/ValueArena.h"

#include "ErrorNumberOf.h"

#include <gtest/gtest.h>

using namespace tovu::platform::automation;

namespace {

// An object that echoes, grows arrays by reference, calls back and fails on request.
std::shared_ptr<DispatchTable> makeServerSide()
{
    return makeDispatch({
        {QStringLiteral("Echo"), 1, [](Args& a) { return a.at(0); }},
        {QStringLiteral("GrowNames"), 2,
         [](Args& a) {
             // ReDim Preserve varArray(0 To n) and store a name at n.
             SafeArray names = a.at(0).isArray() ? a.at(0).array() : SafeArray();
             const std::int32_t next = names.isAllocated() ? names.ubound() + 1 : 0;
             names.redimPreserve({Bounds{0, next}});
             names.set({next}, Variant(QStringLiteral("Doc%1").arg(next)));
             a.at(0) = Variant(std::move(names));
             return Variant(std::int16_t{1});
         }},
        {QStringLiteral("AskCaption"), 3,
         [](Args& a) { return a.at(0).toObject()->get(QStringLiteral("Caption")); }},
        {QStringLiteral("FailAfterWriting"), 4,
         [](Args& a) -> Variant {
             a.at(0) = Variant(99);
             throw AutomationError(ErrorNumber::ObjectErrorBase + 1001, QStringLiteral("WriteComm"),
                                   QStringLiteral("Communication error executing RCA"));
         }},
        {QStringLiteral("Open"), 5,
         [](Args& a) {
             return Variant(argumentAt(a, 0).toString() + u'|'
                            + (argumentAt(a, 1).isMissing() ? QStringLiteral("-") : argumentAt(a, 1).toString()));
         },
         {}, {QStringLiteral("FileName"), QStringLiteral("PasswordDocument")}},
        {QStringLiteral("Throws"), 6, [](Args&) -> Variant { throw std::runtime_error("plain failure"); }},
    });
}

struct CrossedObject {
    std::shared_ptr<DispatchTable> inside = makeServerSide();
    // Wrapped without unwrapping, so calls really travel through the C functions.
    DispatchRef outside = adoptForeign(exportDispatch(inside), nullptr);
};

} // namespace

TEST(Marshalling, EveryKindArrivesAsItWasSent)
{
    CrossedObject o;
    SafeArray grid({Bounds{1, 2}, Bounds{-1, 0}}, VarType::Variant);
    grid.set({2, 0}, Variant(std::int16_t{7}));
    grid.set({1, -1}, Variant(SafeArray::ofValues({Variant("inner"), Variant::null()})));
    const Variant values[] = {
        Variant(),
        Variant::null(),
        Variant(std::int16_t{-2}),
        Variant(-2),
        Variant(1.5f),
        Variant(-2.25),
        Variant(Currency{-123456789}),
        Variant(Date{45000.75}),
        Variant(QString()),
        Variant(QString::fromUtf8("Grüße \xd0\x96")),
        Variant(QString(QChar(0)) + u'x'),  // a NUL inside a text survives
        Variant(true),
        Variant(false),
        Variant(std::uint8_t{255}),
        Variant::missing(),
        Variant(ErrorValue{7}),
        Variant::nothing(),
        Variant(SafeArray(VarType::String)),  // declared, unallocated
        Variant(SafeArray({Bounds{5, 4}})),    // allocated, no elements
        Variant(SafeArray::ofElements({Bounds{0, 1}}, {Variant("a"), Variant("b")}, VarType::String)),
        Variant(grid),
    };
    for (const Variant& v : values) {
        SCOPED_TRACE(static_cast<int>(v.type()));
        EXPECT_EQ(o.outside->call(QStringLiteral("echo"), {v}), v);
    }
}

TEST(Marshalling, ArraysWrittenByReferenceComeBack)
{
    CrossedObject o;
    std::vector<Variant> args{Variant()};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(o.outside->call(QStringLiteral("GrowNames"), args), Variant(std::int16_t{1}));
    const SafeArray& names = args[0].array();
    EXPECT_EQ(names.lbound(), 0);
    EXPECT_EQ(names.ubound(), 2);
    EXPECT_EQ(names.get({0}), Variant("Doc0"));
    EXPECT_EQ(names.get({2}), Variant("Doc2"));
}

TEST(Marshalling, ErrorsKeepNumberSourceAndDescriptionAndWrittenArguments)
{
    CrossedObject o;
    std::vector<Variant> args{Variant(1)};
    try {
        o.outside->call(QStringLiteral("FailAfterWriting"), args);
        FAIL() << "the error must cross";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), -2147221504 + 1001);
        EXPECT_EQ(e.source(), QStringLiteral("WriteComm"));
        EXPECT_EQ(e.description(), QStringLiteral("Communication error executing RCA"));
    }
    EXPECT_EQ(args[0], Variant(99));

    EXPECT_EQ(errorNumberOf([&] { (void)o.outside->dispIdOfName(QStringLiteral("Nope")); }), 438);
    std::vector<Variant> none;
    EXPECT_EQ(errorNumberOf([&] { (void)o.outside->invoke(77, none); }), 438);
    // A C++ exception of another kind becomes an automation error, not a crash.
    EXPECT_EQ(errorNumberOf([&] { (void)o.outside->call(QStringLiteral("Throws")); }), 440);
}

TEST(Marshalling, ObjectsAndNamedArgumentsCross)
{
    CrossedObject o;
    QString caption = QStringLiteral("Main window");
    auto host = makeDispatch({{QStringLiteral("Caption"), 0, [&](Args&) { return Variant(caption); }}});
    EXPECT_EQ(o.outside->call(QStringLiteral("AskCaption"), {Variant(DispatchRef(host))}), Variant("Main window"));

    const QString names[] = {QStringLiteral("PasswordDocument")};
    EXPECT_EQ(o.outside->call(QStringLiteral("Open"), {Variant("a.docx"), Variant("pw")}, names),
              Variant("a.docx|pw"));
}

TEST(Marshalling, ClassNamesCrossForTypeTests)
{
    auto collection = makeDispatch({}, QStringLiteral("Collection"));
    DispatchRef outside = adoptForeign(exportDispatch(collection), nullptr);
    EXPECT_EQ(outside->typeName(), QStringLiteral("Collection"));
    EXPECT_EQ(adoptForeign(exportDispatch(makeDispatch({})), nullptr)->typeName(), QStringLiteral("Object"));
}

TEST(Marshalling, ExportedObjectsAreCountedUntilReleased)
{
    const std::size_t before = exportedObjectsAlive();
    {
        CrossedObject o;
        EXPECT_EQ(exportedObjectsAlive(), before + 1);
        auto host = makeDispatch({{QStringLiteral("Caption"), 0, [](Args&) { return Variant("c"); }}});
        o.outside->call(QStringLiteral("AskCaption"), {Variant(DispatchRef(host))});
    }
    EXPECT_EQ(exportedObjectsAlive(), before);
}

TEST(Marshalling, MalformedForeignValuesAreRefused)
{
    TovuVariant bad{};
    bad.type = 99;
    EXPECT_EQ(errorNumberOf([&] { (void)valueOfForeign(bad, nullptr); }), 13);
    TovuVariant text{};
    text.type = TOVU_VT_STRING;
    text.u.str = TovuString{nullptr, 5};
    EXPECT_EQ(errorNumberOf([&] { (void)valueOfForeign(text, nullptr); }), 13);
    TovuVariant array{};
    array.type = TOVU_VT_ARRAY | TOVU_VT_I4;
    const std::int32_t lower[] = {0, 0};
    const std::uint32_t counts[] = {1u << 20, 1u << 20};  // claims 2^40 elements
    array.u.array = TovuArray{2, lower, counts, nullptr};
    EXPECT_EQ(errorNumberOf([&] { (void)valueOfForeign(array, nullptr); }), 13);
}
