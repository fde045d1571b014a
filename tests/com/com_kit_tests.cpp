#include "com/class_factory.h"
#include "com/com_apartment.h"
#include "com/com_boundary.h"
#include "com/com_object.h"

#include "logging/logging.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>
#include <oleidl.h>
#include <shlobj.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

std::atomic<int> g_idleCalls{0};

void CountIdle() { ++g_idleCalls; }

} // namespace

// This test program's module: the kit's objects count here.
ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}

namespace {

std::atomic<int> g_destroyed{0};

// An object with two interfaces of its own and a base interface reached through one of them.
class TwoInterfaces final : public ComObject<TwoInterfaces, IPersistFolder, IOleWindow> {
public:
    static std::span<const ComInterfaceEntry> InterfaceTable()
    {
        static const ComInterfaceEntry table[] = {
            ComInterface<TwoInterfaces, IPersistFolder>(),
            ComInterface<TwoInterfaces, IOleWindow>(),
            ComInterface<TwoInterfaces, IPersist, IPersistFolder>(),
        };
        return table;
    }
    ~TwoInterfaces() override { ++g_destroyed; }

    STDMETHODIMP GetClassID(CLSID* clsid) override
    {
        *clsid = CLSID_NULL;
        return S_OK;
    }
    STDMETHODIMP Initialize(LPCITEMIDLIST) override { return S_OK; }
    STDMETHODIMP GetWindow(HWND* window) override
    {
        *window = nullptr;
        return E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
};

// An object whose owner keeps it; references only keep the module.
class Resident final : public ComOwnedObject<Resident, IOleWindow> {
public:
    STDMETHODIMP GetWindow(HWND* window) override
    {
        *window = nullptr;
        return E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
};

template <class Interface, class Object>
Microsoft::WRL::ComPtr<Interface> Query(Object* object, HRESULT& result)
{
    Microsoft::WRL::ComPtr<Interface> found;
    result = object->QueryInterface(__uuidof(Interface), reinterpret_cast<void**>(found.GetAddressOf()));
    return found;
}

class ComKitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_destroyed = 0;
        g_idleCalls = 0;
        ThisComModule().SetIdleHandler(&CountIdle);
        ASSERT_TRUE(ThisComModule().CanUnload());
    }
    void TearDown() override { ThisComModule().SetIdleHandler(nullptr); }
};

TEST_F(ComKitTest, TheInterfaceTableAnswersEachInterfaceWithOneIdentityAndNothingElse)
{
    Microsoft::WRL::ComPtr<TwoInterfaces> object = MakeComObject<TwoInterfaces>();
    HRESULT result = E_FAIL;
    auto persistFolder = Query<IPersistFolder>(object.Get(), result);
    EXPECT_EQ(S_OK, result);
    auto window = Query<IOleWindow>(object.Get(), result);
    EXPECT_EQ(S_OK, result);
    auto persist = Query<IPersist>(window.Get(), result);
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(static_cast<IPersist*>(persistFolder.Get()), persist.Get());

    auto identityOne = Query<IUnknown>(window.Get(), result);
    auto identityTwo = Query<IUnknown>(persist.Get(), result);
    EXPECT_EQ(identityOne.Get(), identityTwo.Get()) << "every interface gives the same IUnknown";

    void* other = &result;
    EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IDropTarget, &other));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(E_POINTER, object->QueryInterface(IID_IPersist, nullptr));
}

TEST_F(ComKitTest, AnObjectCountsForTheModuleUntilItsLastReferenceGoes)
{
    {
        Microsoft::WRL::ComPtr<TwoInterfaces> object = MakeComObject<TwoInterfaces>();
        EXPECT_EQ(1, ThisComModule().Objects());
        HRESULT result = E_FAIL;
        auto window = Query<IOleWindow>(object.Get(), result);
        object.Reset();
        EXPECT_EQ(0, g_destroyed.load()) << "another interface still holds it";
        EXPECT_FALSE(ThisComModule().CanUnload());
    }
    EXPECT_EQ(1, g_destroyed.load());
    EXPECT_TRUE(ThisComModule().CanUnload());
    EXPECT_EQ(1, g_idleCalls.load()) << "the module hears once that it is idle";

    // An interface the object lacks: created, refused, gone at once.
    void* missing = &missing;
    EXPECT_EQ(E_NOINTERFACE, CreateComObject<TwoInterfaces>(IID_IDropTarget, &missing));
    EXPECT_EQ(nullptr, missing);
    EXPECT_EQ(2, g_destroyed.load());
    EXPECT_TRUE(ThisComModule().CanUnload());
}

TEST_F(ComKitTest, ReferencesTakenAndGivenBackOnSeveralThreadsKeepTheCountExact)
{
    Microsoft::WRL::ComPtr<TwoInterfaces> object = MakeComObject<TwoInterfaces>();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                object->AddRef();
                object->Release();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(0, g_destroyed.load());
    EXPECT_EQ(2u, object->AddRef());
    object->Release();
    object.Reset();
    EXPECT_EQ(1, g_destroyed.load());
}

TEST_F(ComKitTest, AnOwnedObjectKeepsTheModuleWhileReferencedAndIgnoresAnUnbalancedRelease)
{
    Resident resident;
    EXPECT_TRUE(ThisComModule().CanUnload()) << "an unreferenced resident object does not keep the module";
    resident.AddRef();
    resident.AddRef();
    EXPECT_EQ(1, ThisComModule().Objects());
    resident.Release();
    EXPECT_FALSE(ThisComModule().CanUnload());
    EXPECT_EQ(0u, resident.Release());
    EXPECT_TRUE(ThisComModule().CanUnload());
    EXPECT_EQ(1, g_idleCalls.load());
    EXPECT_EQ(0u, resident.Release()) << "one release too many";
    resident.AddRef();
    EXPECT_FALSE(ThisComModule().CanUnload()) << "the count did not go below zero";
    resident.Release();
    resident.Disconnect();   // nobody outside holds it: nothing happens
    EXPECT_EQ(0u, resident.References());
}

TEST_F(ComKitTest, TheClassFactoryCreatesRefusesAggregationAndCountsLocks)
{
    ClassFactory factory([](REFIID iid, void** object) { return CreateComObject<TwoInterfaces>(iid, object); });
    Microsoft::WRL::ComPtr<IClassFactory> held;
    ASSERT_EQ(S_OK, factory.QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(held.GetAddressOf())));
    EXPECT_TRUE(ThisComModule().CanUnload()) << "holding the factory does not keep the module; LockServer does";

    Microsoft::WRL::ComPtr<IPersist> made;
    EXPECT_EQ(S_OK, held->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(made.GetAddressOf())));
    EXPECT_TRUE(made);
    void* aggregated = &aggregated;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, held->CreateInstance(made.Get(), IID_IUnknown, &aggregated));
    EXPECT_EQ(nullptr, aggregated);
    EXPECT_EQ(E_POINTER, held->CreateInstance(nullptr, IID_IUnknown, nullptr));
    made.Reset();

    EXPECT_EQ(S_OK, held->LockServer(FALSE)) << "an unbalanced unlock";
    EXPECT_EQ(S_OK, held->LockServer(TRUE));
    EXPECT_FALSE(ThisComModule().CanUnload());
    EXPECT_EQ(S_OK, held->LockServer(FALSE));
    EXPECT_TRUE(ThisComModule().CanUnload());
}

TEST_F(ComKitTest, WhatACreatorOrAMethodThrowsEndsAsAnHResultAndALogLine)
{
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    TempDirectory folder;
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", folder.Path());
    Logging::LogIndicator = 1;

    ClassFactory exhausted([](REFIID, void**) -> HRESULT { throw std::bad_alloc(); });
    void* object = &object;
    EXPECT_EQ(E_OUTOFMEMORY, exhausted.CreateInstance(nullptr, IID_IUnknown, &object));
    EXPECT_EQ(nullptr, object);
    ClassFactory broken([](REFIID, void**) -> HRESULT { throw std::runtime_error("no cache"); });
    EXPECT_EQ(E_FAIL, broken.CreateInstance(nullptr, IID_IUnknown, &object));
    EXPECT_EQ(E_FAIL, ComBoundary("ShellFolder::EnumObjects()", []() -> HRESULT { throw 42; }));
    EXPECT_EQ(S_FALSE, ComBoundary("ShellFolder::EnumObjects()", [] { return S_FALSE; }));
    Logging::LogIndicator = 0;

    const std::string log = ReadWholeFile(Logging::LogFilePath());
    EXPECT_NE(std::string::npos, log.find("ClassFactory::CreateInstance() - Exception caught: out of memory \n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("ClassFactory::CreateInstance() - Exception caught: no cache \n")) << log;
    EXPECT_NE(std::string::npos, log.find("ShellFolder::EnumObjects() - Exception caught: unknown exception \n"))
        << log;
}

TEST_F(ComKitTest, ApartmentsAreBalancedAndLeaveAThreadOfAnotherModelAlone)
{
    std::thread([] {
        {
            const ComApartment outer;
            EXPECT_EQ(S_OK, outer.Result());
            const ComApartment inner;
            EXPECT_EQ(S_FALSE, inner.Result()) << "counted once more";
            EXPECT_TRUE(inner.IsReady());
            const ComApartment other(COINIT_MULTITHREADED);
            EXPECT_FALSE(other.IsReady()) << "the thread already is single-threaded";
        }
        // Everything was given back: the thread starts afresh.
        const HRESULT again = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        EXPECT_EQ(S_OK, again);
        if (SUCCEEDED(again))
            ::CoUninitialize();

        {
            const OleApartment ole;
            EXPECT_TRUE(ole.IsReady());
        }
        const HRESULT oleAgain = ::OleInitialize(nullptr);
        EXPECT_EQ(S_OK, oleAgain);
        if (SUCCEEDED(oleAgain))
            ::OleUninitialize();
    }).join();
}

} // namespace
