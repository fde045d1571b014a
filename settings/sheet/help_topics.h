#pragma once

// Topics of the suite's help file for the settings program's windows.
inline constexpr int kHelpTopicGeneralPage = 30;
inline constexpr int kHelpTopicDiscSearchPage = 31;
inline constexpr int kHelpTopicPublicFoldersPage = 32;
inline constexpr int kHelpTopicClientSetupPage = 33;
inline constexpr int kHelpTopicFindDiscs = 34;
