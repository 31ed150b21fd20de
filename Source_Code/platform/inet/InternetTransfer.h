#pragma once
// The Internet Transfer control as a host places it on a form, for FTP only: the members
// URL, UserName, Password, Protocol, RequestTimeout, Execute, StillExecuting, ResponseCode
// and ResponseInfo, called by name. Execute(url, operation) starts one of the operations
// "CD dir", "GET remote local" and "PUT local remote" and returns at once; the transfer
// goes on each time StillExecuting is read, which answers True until it has ended.
// Names with blanks are given in double quotes. An address, user name, password or
// operation holding a control character (CR, LF, ...) is refused before anything is sent. The directory that CD sets is kept
// between operations on the same server and login until URL is set again.
//
// An operation that the server or this side fails ends with ResponseCode set: the server's
// reply code when the server refused (530 a rejected login, 550 a missing file or folder),
// else the transfer library's own error number; ResponseInfo then says what failed. A
// successful operation leaves ResponseCode 0. A GET writes the local file only when the
// whole file has arrived; a failed GET leaves an existing local file as it was.

#include "platform/automation/Dispatch.h"

#include <memory>

namespace tovu::platform::inet {

// The protocol numbers of the Protocol member; only FTP is served.
inline constexpr std::int16_t icUnknown = 0;
inline constexpr std::int16_t icFTP = 2;

// A new transfer control, as a host creates one on its form ("Inet").
automation::DispatchRef createInternetTransfer();

}  // namespace tovu::platform::inet
