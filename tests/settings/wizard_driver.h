#pragma once

#include <windows.h>

#include <string>

// Drives a wizard of the settings program from the test's thread as a user does, page by page.

// The page shown and its title (the page template's caption).
HWND WizardPageShown(HWND wizard);
std::string WizardPageTitle(HWND wizard);
// Waits until the page with that title is shown; false when it is not within a few seconds.
bool WaitForWizardPage(HWND wizard, const std::string& title);
// Presses Back, Next or Finish (PSBTN_*) and waits for the page with that title.
bool PressAndWaitForPage(HWND wizard, int button, const std::string& title);

// The wizard buttons a user sees on the page shown, as "Back Next" or "Finish"; a button that
// is shown disabled is left out. The page sets them as it is shown, so this waits until they
// are as expected and gives what it saw last.
std::string WizardButtons(HWND wizard, const std::string& expected);

// Whether a picture control of the page shows a bitmap.
bool ShowsBitmap(HWND page, int pictureId);
