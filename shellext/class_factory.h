#pragma once

#include <windows.h>
#include <unknwn.h>

// A multiple-instance class factory: every CreateInstance makes a new object with the creator.
// The factory belongs to the application object; client references do not delete it.
class ClassFactory : public IClassFactory {
public:
    using Creator = HRESULT (*)(REFIID riid, void** object);

    explicit ClassFactory(Creator creator) : creator_(creator) {}
    virtual ~ClassFactory() = default;
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    Creator creator_;
};
