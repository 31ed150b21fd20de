#pragma once
// A dispatch object built from a table of members: name, dispatch identifier, the handler
// that runs for a call or property read, optionally one for a property assignment, and
// the parameter names by which callers may pass arguments by name.
//
//   auto object = makeDispatch({
//       {u"GetResourceString"_s, 0x60030000, [](Args& a) { return Variant(text(a.at(0))); }},
//       {u"Visible"_s, 0x17, getVisible, putVisible},
//   });
//
// Named arguments are put in their parameter's place before the handler runs; places
// left open are filled with the missing-argument value, and what the handler writes to
// an argument goes back to the caller's argument, named or not.

#include "platform/automation/Dispatch.h"

#include <functional>
#include <memory>
#include <vector>

namespace tovu::platform::automation {

using Args = std::vector<Variant>;
using MemberHandler = std::function<Variant(Args& args)>;

struct DispatchMember {
    QString name;
    DispId id = DispIdUnknown;
    MemberHandler call;               // Method and PropertyGet; empty: not readable
    MemberHandler put = {};           // PropertyPut and PropertyPutRef; value is args.back()
    std::vector<QString> parameters = {};  // names of the positional parameters, in order
    QString help = {};                     // the help string of the type information
};

class DispatchTable : public Dispatch {
public:
    explicit DispatchTable(std::vector<DispatchMember> members, QString typeName = QStringLiteral("Object"));

    DispId dispIdOfName(const QString& name) override;
    QString typeName() override { return typeName_; }
    std::vector<MemberInfo> typeInfo() override;
    Variant invoke(DispId id, std::vector<Variant>& args, CallKind kind = CallKind::Method,
                   std::span<const QString> names = {}) override;

    const std::vector<DispatchMember>& members() const { return members_; }

private:
    std::vector<DispatchMember> members_;
    QString typeName_;

    const DispatchMember* memberOf(DispId id) const;
};

std::shared_ptr<DispatchTable> makeDispatch(std::vector<DispatchMember> members,
                                            QString typeName = QStringLiteral("Object"));

// Argument helpers for handlers: the argument at index i, or the missing-argument value
// when the caller passed fewer; and a check of the argument count (Wrong number of
// arguments when it is outside [least, most]).
const Variant& argumentAt(const Args& args, std::size_t i);
void requireArgumentCount(const Args& args, std::size_t least, std::size_t most);

} // namespace tovu::platform::automation
