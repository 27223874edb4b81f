#pragma once
// A base for classes whose objects own something that must not be shared, such as a system
// handle or a drawing surface: copying one does not compile.

namespace base {

class NoCopy {
  public:
    NoCopy(const NoCopy&) = delete;
    NoCopy& operator=(const NoCopy&) = delete;

  protected:
    NoCopy() = default;
    ~NoCopy() = default;
};

} // namespace base
