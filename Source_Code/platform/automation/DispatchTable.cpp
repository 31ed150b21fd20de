#include "platform/automation/DispatchTable.h"

namespace tovu::platform::automation {

DispatchTable::DispatchTable(std::vector<DispatchMember> members, QString typeName)
    : members_(std::move(members))
    , typeName_(std::move(typeName))
{
}

std::shared_ptr<DispatchTable> makeDispatch(std::vector<DispatchMember> members, QString typeName)
{
    return std::make_shared<DispatchTable>(std::move(members), std::move(typeName));
}

DispId DispatchTable::dispIdOfName(const QString& name)
{
    for (const DispatchMember& m : members_)
        if (m.name.compare(name, Qt::CaseInsensitive) == 0)
            return m.id;
    throw AutomationError::standard(ErrorNumber::MemberNotFound);
}

std::vector<MemberInfo> DispatchTable::typeInfo()
{
    std::vector<MemberInfo> info;
    info.reserve(members_.size());
    for (const DispatchMember& m : members_)
        info.push_back(MemberInfo{m.name, m.id, m.parameters, m.help});
    return info;
}

const DispatchMember* DispatchTable::memberOf(DispId id) const
{
    for (const DispatchMember& m : members_)
        if (m.id == id)
            return &m;
    return nullptr;
}

Variant DispatchTable::invoke(DispId id, std::vector<Variant>& args, CallKind kind,
                              std::span<const QString> names)
{
    const DispatchMember* member = memberOf(id);
    if (!member)
        throw AutomationError::standard(ErrorNumber::MemberNotFound);
    const bool assigning = kind == CallKind::PropertyPut || kind == CallKind::PropertyPutRef;
    const MemberHandler& handler = assigning ? member->put : member->call;
    if (!handler)
        throw AutomationError::standard(ErrorNumber::MemberNotFound);
    if (names.empty())
        return handler(args);
    if (assigning || names.size() > args.size())
        throw AutomationError::standard(ErrorNumber::NamedArgumentNotFound);

    // Put each named argument in its parameter's place; remember where each came from
    // so that what the handler writes goes back to the caller's argument.
    const std::size_t positional = args.size() - names.size();
    std::vector<std::size_t> placeOf(args.size());
    std::size_t width = positional;
    for (std::size_t i = 0; i < positional; ++i)
        placeOf[i] = i;
    for (std::size_t j = 0; j < names.size(); ++j) {
        std::size_t place = member->parameters.size();
        for (std::size_t p = 0; p < member->parameters.size(); ++p)
            if (member->parameters[p].compare(names[j], Qt::CaseInsensitive) == 0)
                place = p;
        if (place == member->parameters.size() || place < positional)
            throw AutomationError::standard(ErrorNumber::NamedArgumentNotFound);
        for (std::size_t k = 0; k < j; ++k)
            if (placeOf[positional + k] == place)
                throw AutomationError::standard(ErrorNumber::NamedArgumentNotFound);
        placeOf[positional + j] = place;
        width = std::max(width, place + 1);
    }
    Args arranged(width, Variant::missing());
    for (std::size_t i = 0; i < args.size(); ++i)
        arranged[placeOf[i]] = std::move(args[i]);
    struct WriteBack {
        Args& from;
        std::vector<Variant>& to;
        const std::vector<std::size_t>& placeOf;
        ~WriteBack()
        {
            for (std::size_t i = 0; i < to.size(); ++i)
                to[i] = std::move(from[placeOf[i]]);
        }
    } writeBack{arranged, args, placeOf};
    return handler(arranged);
}

const Variant& argumentAt(const Args& args, std::size_t i)
{
    static const Variant missing = Variant::missing();
    return i < args.size() ? args[i] : missing;
}

void requireArgumentCount(const Args& args, std::size_t least, std::size_t most)
{
    if (args.size() < least || args.size() > most)
        throw AutomationError::standard(ErrorNumber::WrongArgumentCount);
}

} // namespace tovu::platform::automation
