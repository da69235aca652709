// Windows layer: COM for the calling thread while an object of this class
// lives, in the single-threaded apartment with OLE1 DDE off, as WIC, the
// open-file dialog and ShellExecuteW want it. Initialising again on a thread
// that already has COM (in either model) is harmless.
#pragma once

#include <objbase.h>

#include <memory>

namespace gyra {

class ComApartment {
 public:
  ComApartment()
      : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
// A COM object released with its owner.
template <class T>
using ComPtr = std::unique_ptr<T, ComRelease>;

}  // namespace gyra
