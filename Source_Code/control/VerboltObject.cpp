#include "control/VerboltObject.h"

#include "control/VerboltMethods.h"

namespace tovu::control {

namespace {

std::vector<automation::DispatchMember> membersFor(Verbolt& control)
{
    std::vector<automation::DispatchMember> members;
    for (const MethodEntry& entry : verboltMethods()) {
        automation::DispatchMember member;
        member.name = QString::fromLatin1(entry.name);
        member.id = entry.dispid;
        member.help = entry.help;
        member.call = [&control, &entry](automation::Args& args) {
            return entry.invoke(control, args, entry.params);
        };
        for (const ParamDecl& p : entry.params)
            member.parameters.push_back(QString::fromLatin1(p.name));
        members.push_back(std::move(member));
    }
    return members;
}

} // namespace

VerboltObject::VerboltObject(word::WordEnvironment& environment)
    : VerboltObject(std::make_unique<Verbolt>(environment))
{
}

// The members refer to the control on the heap, which the object then takes over.
VerboltObject::VerboltObject(std::unique_ptr<Verbolt> control)
    : DispatchTable(membersFor(*control)), control_(std::move(control))
{
}

VerboltObject::~VerboltObject() = default;

std::shared_ptr<VerboltObject> createVerbolt(word::WordEnvironment& environment)
{
    return std::make_shared<VerboltObject>(environment);
}

} // namespace tovu::control
