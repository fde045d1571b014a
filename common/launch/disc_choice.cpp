#include "launch/disc_choice.h"

std::string ChooseDiscNetworkPath(HWND)
{
    return std::string();
}
