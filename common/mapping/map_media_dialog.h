#pragma once

#include "basalt_api.h"
#include "mapping/drive_connection.h"
#include "mapping/map_dialog_launch.h"
#include "ui/dialog.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class BrowseTreeCtrl;
class DriveLetterCombo;

// "Map Disc": the user picks a drive letter for a disc. Opened for a disc or standalone it
// connects the disc (with an optional user name, a password prompt and the replacement of a
// letter's connection); opened for one path of a multiple mapping it only hands back the letter
// and the path chosen.
class BASALT_API MapMediaDialog : public Dialog {
public:
    // lettersInUse: the letters of the other paths of the same multiple mapping (may be null).
    MapMediaDialog(std::string networkPath, MapDialogLaunch launch, const std::string& driveLetter,
                   const std::vector<std::string>* lettersInUse);
    ~MapMediaDialog() override;

    // Runs the dialog with Basalt's templates; IDOK or IDCANCEL (kDialogFailed when it failed).
    INT_PTR DoModal(HWND owner = nullptr);

    std::string GetNetworkPath() const { return networkPath_; }
    // In the multiple-mapping modes the letter chosen with OK, without a colon; otherwise the
    // letter the dialog was given.
    std::string GetDriveLetter() const { return driveLetter_; }

    // Shows a path as the one to connect; the tree of discs calls it when a disc is clicked.
    void ChangePathData(const std::string& path);
    // The help topic of the way the dialog was opened, if it has one.
    void OnHelp();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    void FillDriveList();
    void PlaceDriveList();
    void ShowModeControls();
    void AddTreeControl();
    void SetModeTitle();

    // The members from the controls; false, after telling the user why, when the path is empty
    // or holds a character a network path cannot have.
    bool SaveControls();
    // The controls from the members.
    void LoadControls();

    // The "Connect as" user when one was typed where it applies (NT, not a multiple mapping).
    ConnectionCredentials TypedUser() const;
    // Connects the chosen letter, dealing with the network's refusal; true when connected.
    bool AddConnection(const ConnectionCredentials& credentials);
    // One attempt to connect the chosen letter: the network's answer, or ERROR_BAD_LENGTH after
    // the user was told which name is too long.
    DWORD Connect(const ConnectionCredentials& credentials);
    bool HandleMapError(DWORD error);
    bool HandleInvalidPassword();
    bool HandleReconnection(DWORD error);
    void OnBrowse();

    // A message box of the dialog; the button chosen.
    int ShowMessage(const std::string& text, UINT style = MB_OK) const;

    int reconnect_ = 1;
    std::string networkPath_;
    std::unique_ptr<DriveLetterCombo> driveList_;
    // "F:" once a letter is chosen.
    std::string localName_;
    std::unique_ptr<BrowseTreeCtrl> tree_;
    std::string driveLetter_;
    bool isNt_;
    MapDialogLaunch launch_;
    std::vector<std::string> lettersInUse_;
    bool multi_;
};
