#include "help_routing.h"

#include "settings/auxiliary.h"

#include <windows.h>

namespace {

std::function<void()> g_programHelp;
std::function<void(int)> g_topicLauncher;

} // namespace

void SetProgramHelp(std::function<void()> help) { g_programHelp = std::move(help); }

void ShowProgramHelp()
{
    if (g_programHelp)
        g_programHelp();
    else
        LaunchHelpTopic(-1);
}

bool HandleHelpMessage(UINT message, INT_PTR& result)
{
    if (message != WM_HELP)
        return false;
    ShowProgramHelp();
    result = TRUE;
    return true;
}

void LaunchHelpTopic(int topic)
{
    if (g_topicLauncher)
        g_topicLauncher(topic);
    else
        AuxiliaryFunctions::LaunchHelpFile(topic);
}

void SetHelpTopicLauncher(std::function<void(int)> launcher) { g_topicLauncher = std::move(launcher); }
