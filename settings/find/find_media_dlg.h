#pragma once

#include "dialwise_dialog.h"
#include "find_media_property_sheet.h"
#include "find_media_thread.h"
#include "find_notify_client.h"
#include "find_registrations.h"
#include "find_results_view.h"
#include "find_search_state.h"

#include <windows.h>
#include <wrl/client.h>

#include <memory>

// "Find: Discs and Launch Objects": finds items of the namespace by name on a worker thread and
// lists them in the namespace's own view, where they can be opened, renamed or given shortcuts
// as in Explorer. Found items reach the view on the dialog's thread, in batches; the folders in
// which they were found are registered with the search module, so that their later changes
// reach the list, until the results are cleared or the dialog closes.
class FindMediaDlg final : public DialwiseDialog {
public:
    FindMediaDlg();
    ~FindMediaDlg() override;

    // F1: the dialog's help topic.
    void OnHelp();

    // What the worker was told to use, for the dialog's tests.
    const FindEventNames& EventNames() const { return thread_.EventNames(); }
    FindState State() const { return state_.State(); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnOK() override { OnFindNow(); }
    void OnCancel() override { OnClose(); }
    void OnDestroy() override;

private:
    void OnFindNow();
    void OnStop();
    void OnNewSearch();
    void OnClose();
    // Ends the search and the worker, the registrations and the view; once.
    void Shutdown();
    void ShowFound();
    void SearchIsDone(FindState endedIn);
    void RegisterWithServer();
    void ClearResults();
    void ShowSearching(bool searching);
    void SetStatusText(const std::string& text);
    void Layout();
    RECT ResultsArea() const;

    static LRESULT CALLBACK FilterDialogMessage(int code, WPARAM wParam, LPARAM lParam);

    FindSearchState state_;
    FindMediaThread thread_;
    std::unique_ptr<FindMediaPropertySheet> criteria_;
    FindResultsView results_;
    Microsoft::WRL::ComPtr<FindNotifyClient> client_;
    FindRegistrations registrations_;
    HWND status_ = nullptr;
    // Hands the dialog loop's keys to the view first.
    HHOOK keyFilter_ = nullptr;
    UINT registerMessage_ = 0;
    int resultsTop_ = 0;
    int foundCount_ = 0;
    // From Find Now until the worker reports the search's end (a stopped search runs on to it).
    bool searchRunning_ = false;
    bool closed_ = false;
};
