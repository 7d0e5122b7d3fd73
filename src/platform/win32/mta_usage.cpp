#include "platform/win32/mta_usage.h"

namespace qrv::win32 {

MtaUsage::MtaUsage() {
    if (FAILED(CoIncrementMTAUsage(&m_cookie))) {
        m_cookie = nullptr;
    }
}

MtaUsage::~MtaUsage() {
    if (m_cookie) {
        CoDecrementMTAUsage(m_cookie);
    }
}

}  // namespace qrv::win32
