#pragma once

namespace qrv::win32 {

// Joins the calling thread to a COM apartment for this object's lifetime.
// When the thread already belongs to one of the other kind it stays there,
// which serves every caller here as well.
class ComApartment {
  public:
    enum class Kind { SingleThreaded, MultiThreaded };

    explicit ComApartment(Kind kind);
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool m_joined = false;
};

}  // namespace qrv::win32
