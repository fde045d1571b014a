#include "dialwise_task.h"

namespace {

struct NamedSwitch {
    const char* name;
    DialwiseSwitch which;
};

// The order in which the switches are tested: the first one given wins.
constexpr NamedSwitch kSwitches[] = {
    {"u", DialwiseSwitch::RefreshDrive},        {"s", DialwiseSwitch::SettingsSheet},
    {"f", DialwiseSwitch::FindDiscs},           {"m", DialwiseSwitch::MapDisc},
    {"p", DialwiseSwitch::AboutBox},            {"e", DialwiseSwitch::ExecuteLaunchObject},
    {"a", DialwiseSwitch::AutoMapItem},         {"n", DialwiseSwitch::NetworkSetup},
    {"i", DialwiseSwitch::SelectPublicFolders},
};

// More pages than a sheet will ever have, and well inside an unsigned int.
constexpr unsigned int kPageLimit = 1000;

} // namespace

DialwiseTask ChooseTask(const CommandLineInfo& commandLine)
{
    for (const NamedSwitch& named : kSwitches) {
        DialwiseTask task;
        if (commandLine.IsParameterSupplied(named.name, task.value)) {
            task.which = named.which;
            return task;
        }
    }
    return {};
}

unsigned int SettingsPageOf(const std::string& value)
{
    if (value.empty() || value.size() > 4)
        return 0;
    unsigned int page = 0;
    for (char c : value) {
        if (c < '0' || c > '9')
            return 0;
        page = page * 10 + static_cast<unsigned int>(c - '0');
    }
    return page < kPageLimit ? page : 0;
}
