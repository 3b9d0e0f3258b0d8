// Shared by the in-process COM stand-ins (the JAWS API object, the SAPI
// voice): a class factory for one class and the two exports every in-process
// server has. The DLL is never unloaded, so no object count is kept.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <new>

namespace com_double {

// Object: a COM class with a public constructor taking no arguments whose
// new instance holds one reference.
template <typename Object>
class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // A static object: the counts mean nothing.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    Object* created = new (std::nothrow) Object;
    if (created == nullptr) return E_OUTOFMEMORY;
    HRESULT result = created->QueryInterface(iid, object);
    created->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// The body of DllGetClassObject for a server of one class.
template <typename Object>
HRESULT GetClassObject(REFCLSID requested, REFCLSID served, REFIID iid, void** object) {
  static ClassFactory<Object> factory;
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (requested != served) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, object);
}

// Reference counting for an object of one interface plus IUnknown.
template <typename Interface>
class Counted : public Interface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

 protected:
  virtual ~Counted() = default;

 private:
  LONG references_ = 1;
};

}  // namespace com_double
