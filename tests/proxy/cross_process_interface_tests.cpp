// The interfaces across two processes: this test program as the client, the recording search
// module (ns_test_server.exe) as the local server COM starts, and Stubwire.dll registered to
// marshal every call in both directions.

#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "cache_item_description.h"
#include "com/com_apartment.h"
#include "com/com_object.h"
#include "ns_result_codes.h"
#include "nsinterfaces.h"
#include "recording_notify_client.h"
#include "recording_server_control.h"
#include "recording_server_protocol.h"
#include "recording_server_registration.h"
#include "stubwire_library.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Microsoft::WRL::ComPtr;

// A null reference pointer, as the proxy reports it (RPC error 1780).
constexpr HRESULT kNullReferencePointer = static_cast<HRESULT>(0x800706F4);
// How long the server may take to end after the last reference went.
constexpr DWORD kServerEndTimeoutMs = 10000;

// A disc record with some null strings and two fields that share one string.
class SampleRecord {
public:
    SampleRecord()
    {
        record_.Name = name_.data();
        record_.Comment = name_.data();
        record_.Type = type_.data();
        record_.Location = location_.data();
        record_.IconFile = iconFile_.data();
        record_.ItemType = 3;
        record_.HasSubFolders = 1;
        record_.IconIndex = -7;
    }
    SampleRecord(const SampleRecord&) = delete;
    SampleRecord& operator=(const SampleRecord&) = delete;

    const CacheItemStruct& Get() const { return record_; }

private:
    std::wstring name_ = L"Archive 2 \u00e9t\u00e9";
    std::wstring type_ = L"Tessaro disc";
    std::wstring location_ = L"\\\\TESSARO1\\ARCHIVE2";
    std::wstring iconFile_ = L"C:\\Program Files\\Halvo\\Skinset.dll";
    CacheItemStruct record_{};
};

class CrossProcessInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_RecordingSearchModule, nullptr, CLSCTX_LOCAL_SERVER,
                                                    IID_PPV_ARGS(&registrar_)));
        ComPtr<IDispatch> dispatch;
        ASSERT_HRESULT_SUCCEEDED(registrar_.As(&dispatch));
        control_.emplace(dispatch);
        serverProcess_.Reset(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                           control_->ProcessId()));
        ASSERT_TRUE(serverProcess_);
        ASSERT_NE(::GetCurrentProcessId(), control_->ProcessId()) << "the server runs in a process of its own";
        ASSERT_HRESULT_SUCCEEDED(registrar_.As(&server_));
        ASSERT_HRESULT_SUCCEEDED(server_.As(&launchManager_));
    }

    // Every test ends with the server process ending by itself once the last reference is gone.
    void TearDown() override
    {
        control_.reset();
        launchManager_.Reset();
        server_.Reset();
        registrar_.Reset();
        if (!serverProcess_)
            return;
        // COM keeps answering calls on this thread while it waits: the server's last releases of
        // a client's callback come here.
        HANDLE process = serverProcess_.Get();
        DWORD signalled = 0;
        ASSERT_EQ(S_OK, ::CoWaitForMultipleHandles(0, kServerEndTimeoutMs, 1, &process, &signalled))
            << "the server did not end after the last reference went";
        DWORD exitCode = STILL_ACTIVE;
        ASSERT_TRUE(::GetExitCodeProcess(process, &exitCode));
        EXPECT_EQ(0u, exitCode);
    }

    ComApartment apartment_;
    StubwireLibrary stubwire_;
    ScopedStubwireRegistration stubwireRegistration_{stubwire_};
    ScopedRecordingServerRegistration serverRegistration_{
        JoinPath(DirectoryOf(ModuleFileName(nullptr)), kRecordingSearchModuleProgram)};
    ComPtr<IRegisterNSClient> registrar_;
    ComPtr<INotifyNSServer> server_;
    ComPtr<INotifyNSLaunchManager> launchManager_;
    std::optional<RecordingServerControl> control_;
    ScopedKernelHandle serverProcess_;
};

TEST_F(CrossProcessInterfaceTest, RecordWithNullAndSharedStringsArrivesIntactAndShared)
{
    SampleRecord sample;
    const std::wstring sent = DescribeCacheItem(sample.Get());
    ASSERT_NE(std::wstring::npos, sent.find(L"OriginalName=null"));
    ASSERT_NE(std::wstring::npos, sent.find(L" shared=Name+Comment"));

    EXPECT_EQ(S_OK, server_->CreateItem(4, L"Network\\Tessaro", sample.Get()));

    EXPECT_EQ(std::vector<std::wstring>{L"CreateItem client=4 path=\"Network\\Tessaro\" item={" + sent + L"}"},
              control_->Journal());
}

TEST_F(CrossProcessInterfaceTest, AllNullRecordArrivesAllNull)
{
    CacheItemStruct empty{};
    empty.ItemType = 2;
    empty.IconIndex = -1;

    EXPECT_EQ(S_OK, server_->DeleteItem(0, L"", empty));

    EXPECT_EQ(std::vector<std::wstring>{L"DeleteItem client=0 path=\"\" item={Name=null OriginalName=null "
                                        L"Type=null Comment=null Location=null FolderPath=null IconFile=null "
                                        L"ItemType=2 HasSubFolders=0 IconIndex=-1}"},
              control_->Journal());
}

TEST_F(CrossProcessInterfaceTest, NullReferencePointersFailInTheProxyBeforeAnythingIsSent)
{
    SampleRecord sample;
    LONG clientId = 77;

    EXPECT_EQ(kNullReferencePointer, registrar_->Add(nullptr, L"Network", nullptr));
    EXPECT_EQ(kNullReferencePointer, registrar_->Add(nullptr, nullptr, &clientId));
    EXPECT_EQ(kNullReferencePointer, server_->CreateItem(0, nullptr, sample.Get()));
    EXPECT_EQ(kNullReferencePointer, server_->MoveItem(0, L"Network", sample.Get(), nullptr, 1));
    EXPECT_EQ(kNullReferencePointer, launchManager_->ExecuteLaunchObject(nullptr));
    EXPECT_EQ(kNullReferencePointer, launchManager_->AutoMapMedia(nullptr, 0));
    EXPECT_TRUE(control_->Journal().empty());

    // The interfaces still work after the refused calls.
    ASSERT_EQ(S_OK, registrar_->Add(nullptr, L"", &clientId));
    EXPECT_EQ(1, clientId);
    EXPECT_EQ(std::vector<std::wstring>{L"Add client=null path=\"\""}, control_->Journal());
}

TEST_F(CrossProcessInterfaceTest, ResultCodesReachTheCallerUnchanged)
{
    SampleRecord sample;

    control_->SetNextResult(NSS_S_USER_QUICK_BUSY);
    const HRESULT refreshed = server_->Refresh(1);
    EXPECT_EQ(static_cast<HRESULT>(0x00042002), refreshed);
    EXPECT_TRUE(SUCCEEDED(refreshed));

    control_->SetNextResult(NSS_S_NAME_EXISTS);
    EXPECT_EQ(NSS_S_NAME_EXISTS, server_->CreateItem(1, L"Network", sample.Get()));
    control_->SetNextResult(NSS_S_NOT_FOUND);
    EXPECT_EQ(NSS_S_NOT_FOUND, launchManager_->ExecuteLaunchObject(L"Network\\Gone"));
    control_->SetNextResult(E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, server_->DeleteItem(1, L"Network", sample.Get()));

    EXPECT_EQ(S_OK, server_->Rescan(1)) << "a result is given once";
}

TEST_F(CrossProcessInterfaceTest, EveryMethodArrivesWithItsParametersInOrder)
{
    SampleRecord sample;
    const std::wstring item = L"item={" + DescribeCacheItem(sample.Get()) + L"}";
    // The settings program reaches the other interfaces from its IRegisterNSClient.
    ComPtr<INotifyNSServer> settingsServer;
    ASSERT_HRESULT_SUCCEEDED(registrar_.As(&settingsServer));
    ComPtr<INotifyNSLaunchManager> settingsLaunchManager;
    ASSERT_HRESULT_SUCCEEDED(settingsServer.As(&settingsLaunchManager));

    LONG clientId = 0;
    ASSERT_EQ(S_OK, registrar_->Add(nullptr, L"", &clientId));
    EXPECT_EQ(S_OK, settingsServer->Rescan(clientId));
    EXPECT_EQ(S_OK, settingsServer->Refresh(clientId));
    EXPECT_EQ(S_OK, registrar_->Remove(0));
    EXPECT_EQ(S_OK, server_->CreateItem(clientId, L"Discs", sample.Get()));
    EXPECT_EQ(S_OK, server_->DeleteItem(clientId, L"Discs\\Old", sample.Get()));
    EXPECT_EQ(S_OK, server_->MoveItem(clientId, L"Discs\\Archive", sample.Get(), L"Renamed", 2));
    EXPECT_EQ(S_OK, server_->UpdateItem(clientId, L"", sample.Get()));
    EXPECT_EQ(S_OK, settingsLaunchManager->ExecuteLaunchObject(L"Discs\\Start backup"));
    EXPECT_EQ(S_OK, launchManager_->AutoMapMedia(L"Discs\\Archive 2", 0));
    EXPECT_EQ(S_OK, registrar_->Remove(clientId));

    const std::vector<std::wstring> expected{
        L"Add client=null path=\"\"",
        L"Rescan client=1",
        L"Refresh client=1",
        L"Remove client=0",
        L"CreateItem client=1 path=\"Discs\" " + item,
        L"DeleteItem client=1 path=\"Discs\\Old\" " + item,
        L"MoveItem client=1 destination=\"Discs\\Archive\" " + item + L" newName=\"Renamed\" operation=2",
        L"UpdateItem client=1 path=\"\" " + item,
        L"ExecuteLaunchObject \"Discs\\Start backup\"",
        L"AutoMapMedia \"Discs\\Archive 2\" 0",
        L"Remove client=1",
    };
    EXPECT_EQ(expected, control_->Journal());
}

TEST_F(CrossProcessInterfaceTest, NotificationsArriveOnTheClientThreadWhileItWaitsInACall)
{
    auto client = MakeComObject<RecordingNotifyClient>();
    SampleRecord sample;
    const std::wstring item = L"{" + DescribeCacheItem(sample.Get()) + L"}";

    LONG clientId = 0;
    ASSERT_EQ(S_OK, registrar_->Add(client.Get(), L"Network\\Tessaro", &clientId));
    ASSERT_GT(clientId, 0);

    // The server notifies before it returns, so each notification must be here as soon as the
    // call is back, without this thread pumping messages in between.
    ASSERT_EQ(S_OK, server_->CreateItem(clientId, L"Network\\Tessaro", sample.Get()));
    ASSERT_EQ(std::vector<std::wstring>{L"AddItem " + item}, client->ReceivedTexts());
    ASSERT_EQ(S_OK, server_->Refresh(clientId));
    ASSERT_EQ(S_OK, server_->DeleteItem(clientId, L"Network\\Tessaro", sample.Get()));
    ASSERT_EQ(S_OK, server_->UpdateItem(clientId, L"Network\\Tessaro", sample.Get()));

    EXPECT_EQ((std::vector<std::wstring>{L"AddItem " + item, L"SearchDone", L"RemoveItem " + item,
                                         L"UpdateItem " + item}),
              client->ReceivedTexts());
    for (const auto& notification : client->Received())
        EXPECT_EQ(::GetCurrentThreadId(), notification.thread) << notification.text;

    // After Remove the client hears nothing more.
    ASSERT_EQ(S_OK, registrar_->Remove(clientId));
    ASSERT_EQ(S_OK, server_->Rescan(clientId));
    EXPECT_EQ(4u, client->Received().size());
}

} // namespace
