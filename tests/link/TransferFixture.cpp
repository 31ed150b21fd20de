#include "TransferFixture.h"

#include "app/link/Connection.h"
#include "app/link/ModelIdentification.h"

namespace tovu::link::test {

void TransferFixture::OpenCommForTest()
{
    OpenComm(ctx);
    ctx.store.workItem(0).ModelIndex = static_cast<std::int16_t>(GetInstrumentModel(ctx, 0));
    CloseComm(ctx);
}

} // namespace tovu::link::test
