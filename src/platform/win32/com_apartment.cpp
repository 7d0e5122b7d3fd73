#include "platform/win32/com_apartment.h"

#include <objbase.h>

namespace qrv::win32 {

ComApartment::ComApartment(Kind kind) {
    const DWORD model = kind == Kind::SingleThreaded
                            ? COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE
                            : COINIT_MULTITHREADED;
    // S_FALSE (already joined) must be balanced too; RPC_E_CHANGED_MODE not.
    m_joined = SUCCEEDED(CoInitializeEx(nullptr, model));
}

ComApartment::~ComApartment() {
    if (m_joined) {
        CoUninitialize();
    }
}

}  // namespace qrv::win32
