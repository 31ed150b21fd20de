#include "app/link/LinkContext.h"

namespace tovu::link {

LinkContext::LinkContext(platform::serial::SerialPort& port_, Clock& clock_, EventPump& pump_,
                         items::ItemStore& store_, const items::StringSource& strings_)
    : port(port_), clock(clock_), pump(pump_), store(store_), strings(strings_), ModelNames(items::makeModelNames())
{
}

void LinkContext::loadTransferDialog()
{
    Active = true;
    if (makeTransferView)
        transfer_ = makeTransferView();
    pump.doEvents();
    if (transfer_)
        transfer_->setProgress(0);
}

void LinkContext::unloadTransferDialog()
{
    transfer_.reset();
}

void LinkContext::setProgress(int value)
{
    if (transfer_)
        transfer_->setProgress(value);
}

void LinkContext::setStatusText(const QString& text)
{
    if (transfer_)
        transfer_->setStatusText(text);
}

} // namespace tovu::link
