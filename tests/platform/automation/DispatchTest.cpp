#include "platform/automation/DispatchTable.h"

#include "ErrorNumberOf.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tovu::platform::automation;

namespace {

// A small object: a text lookup, a by-reference counter, a property and a method with
// named parameters.
struct Sample {
    QString caption = QStringLiteral("start");
    std::shared_ptr<DispatchTable> object = makeDispatch({
        {QStringLiteral("GetResourceString"), 0x60030000,
         [](Args& a) {
             requireArgumentCount(a, 1, 1);
             if (a[0].toLong() != 130)
                 throw AutomationError(326, QStringLiteral("clsResources"), QStringLiteral("no such text"));
             return Variant("TOVU");
         }},
        {QStringLiteral("Bump"), 2,
         [](Args& a) {
             a.at(0) = Variant(a.at(0).toLong() + 1);
             return Variant();
         }},
        {QStringLiteral("Caption"), DispIdValue, [this](Args&) { return Variant(caption); },
         [this](Args& a) {
             caption = a.back().toString();
             return Variant();
         }},
        {QStringLiteral("Open"), 4,
         [](Args& a) {
             // Reports which arguments arrived where, and writes to the password.
             QString seen;
             for (const Variant& v : a)
                 seen += (v.isMissing() ? QStringLiteral("-") : v.toString()) + u'|';
             if (a.size() > 2 && !a[2].isMissing())
                 a[2] = Variant("changed");
             return Variant(seen);
         },
         {}, {QStringLiteral("FileName"), QStringLiteral("ReadOnly"), QStringLiteral("PasswordDocument")}},
        {QStringLiteral("WriteOnly"), 5, {}, [](Args&) { return Variant(); }},
    });
};

} // namespace

TEST(Dispatch, CallsByIdAndByNameWithoutRegardToCase)
{
    Sample s;
    std::vector<Variant> args{Variant(130)};
    EXPECT_EQ(s.object->invoke(0x60030000, args), Variant("TOVU"));
    for (const char* name : {"GetResourceString", "GetresourceString", "GETRESOURCESTRING"})
        EXPECT_EQ(s.object->dispIdOfName(QString::fromLatin1(name)), 0x60030000);
    EXPECT_EQ(s.object->call(QStringLiteral("getresourcestring"), {Variant(130)}), Variant("TOVU"));
}

TEST(Dispatch, UnknownMembersAndFailuresReachTheCaller)
{
    Sample s;
    std::vector<Variant> none;
    EXPECT_EQ(errorNumberOf([&] { (void)s.object->dispIdOfName(QStringLiteral("GetResource")); }), 438);
    EXPECT_EQ(errorNumberOf([&] { (void)s.object->invoke(0x61, none); }), 438);
    EXPECT_EQ(errorNumberOf([&] { (void)s.object->get(QStringLiteral("WriteOnly")); }), 438);
    EXPECT_EQ(errorNumberOf([&] { s.object->put(QStringLiteral("Bump"), Variant(1)); }), 438);
    EXPECT_EQ(errorNumberOf([&] { (void)s.object->call(QStringLiteral("GetResourceString")); }), 450);
    try {
        s.object->call(QStringLiteral("GetResourceString"), {Variant(201)});
        FAIL() << "a missing text must raise";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 326);
        EXPECT_EQ(e.source(), QStringLiteral("clsResources"));
        EXPECT_EQ(e.description(), QStringLiteral("no such text"));
    }
}

TEST(Dispatch, CalleeWritesBackIntoTheCallersArguments)
{
    Sample s;
    std::vector<Variant> args{Variant(41)};
    s.object->call(QStringLiteral("Bump"), args);
    EXPECT_EQ(args[0], Variant(42));
}

TEST(Dispatch, PropertiesAndTheDefaultMember)
{
    Sample s;
    s.object->put(QStringLiteral("caption"), Variant("changed"));
    EXPECT_EQ(s.caption, QStringLiteral("changed"));
    EXPECT_EQ(s.object->get(QStringLiteral("Caption")), Variant("changed"));
    // An object converts to a text through its default member.
    EXPECT_EQ(Variant(DispatchRef(s.object)).toString(), QStringLiteral("changed"));
}

TEST(Dispatch, NamedArgumentsGoToTheirParameters)
{
    Sample s;
    const QString names[] = {QStringLiteral("passworddocument")};
    std::vector<Variant> args{Variant("a.docx"), Variant("secret")};
    EXPECT_EQ(s.object->call(QStringLiteral("Open"), args, names), Variant("a.docx|-|secret|"));
    EXPECT_EQ(args[1], Variant("changed"));  // written back to the named argument
    EXPECT_EQ(args[0], Variant("a.docx"));

    const QString unknown[] = {QStringLiteral("Colour")};
    std::vector<Variant> more{Variant("x")};
    EXPECT_EQ(errorNumberOf([&] { (void)s.object->call(QStringLiteral("Open"), more, unknown); }), 448);
    const QString twice[] = {QStringLiteral("ReadOnly"), QStringLiteral("readonly")};
    std::vector<Variant> pair{Variant(true), Variant(false)};
    EXPECT_EQ(errorNumberOf([&] { (void)s.object->call(QStringLiteral("Open"), pair, twice); }), 448);
    const QString clash[] = {QStringLiteral("FileName")};  // already given by position
    std::vector<Variant> again{Variant("a"), Variant("b")};
    EXPECT_EQ(errorNumberOf([&] { (void)s.object->call(QStringLiteral("Open"), again, clash); }), 448);
}

TEST(AutomationError, DispatchCodesBecomeRunTimeNumbers)
{
    EXPECT_EQ(AutomationError::fromHresult(Hresult::DispMemberNotFound).number(), 438);
    EXPECT_EQ(AutomationError::fromHresult(Hresult::DispTypeMismatch).number(), 13);
    EXPECT_EQ(AutomationError::fromHresult(Hresult::DispBadIndex).number(), 9);
    EXPECT_EQ(AutomationError::fromHresult(Hresult::ClassNotRegistered).number(), 429);
    EXPECT_EQ(AutomationError::fromHresult(Hresult::Fail).number(), Hresult::Fail);
    EXPECT_EQ(ErrorNumber::ObjectErrorBase, -2147221504);
    EXPECT_EQ(AutomationError::standard(13).description(), QStringLiteral("Type mismatch"));
}
