#include "launch_object_runner.h"

#include "action_chain.h"
#include "cache/cache.h"
#include "launch_command_line.h"
#include "launch_mapping_plan.h"
#include "logging/logging.h"
#include "ns_result_codes.h"
#include "program_start.h"
#include "res/launch_string_ids.h"
#include "res/string_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/prompt.h"

namespace {

std::string LaunchText(UINT id) { return ExternalResMgr::GetString(::GetModuleHandleA(nullptr), id); }

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return {};
    return slash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, slash);
}

// Clears a flag however the run ends.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

std::optional<CacheItem> LaunchObjectRunner::FindLaunchObject(const std::string& itemPath)
{
    const auto slash = itemPath.find_last_of('\\');
    const std::string folderPath = slash == std::string::npos ? std::string() : itemPath.substr(0, slash);
    const std::string name = slash == std::string::npos ? itemPath : itemPath.substr(slash + 1);
    if (name.empty())
        return std::nullopt;
    Cache folder(CacheReadFolder, folderPath);
    for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
        const CacheItem& item = **it;
        if (item.ItemType != LaunchObject || !EqualsNoCase(item.Name, name))
            continue;
        CacheItem found(item);
        found.FolderPath = folderPath;
        found.GetMoreData();
        return found;
    }
    return std::nullopt;
}

HRESULT LaunchObjectRunner::Execute(const std::string& itemPath)
{
    // The questions run in modal loops on the module's thread, where a second request can
    // arrive; one chain at a time keeps the dialogs of two runs from interleaving.
    if (running_) {
        LogFormatted("LaunchObjectRunner::Execute() - '%s' refused: another launch object is asking\n",
                     itemPath.c_str());
        return HRESULT_FROM_WIN32(ERROR_BUSY);
    }
    RunningFlag running(running_);
    std::optional<CacheItem> launchObject = FindLaunchObject(itemPath);
    if (!launchObject) {
        LogFormatted("LaunchObjectRunner::Execute() - no launch object '%s'\n", itemPath.c_str());
        ShowErrorPrompt(nullptr, FormatText(CommonText(IDS_ERR_ITEM_NOT_FOUND_FMT), itemPath.c_str()));
        return NSS_S_NOT_FOUND;
    }
    return Run(*launchObject);
}

HRESULT LaunchObjectRunner::Run(CacheItem& launchObject)
{
    if (launchObject.TargetFile.empty()) {
        ShowErrorPrompt(nullptr, FormatText(LaunchText(IDS_LAUNCH_NO_TARGET_FMT), launchObject.Name.c_str()));
        return E_INVALIDARG;
    }
    if (!LaunchCommandLine::HasBalancedQuotes(launchObject.TargetFile)) {
        ShowErrorPrompt(nullptr,
                        FormatText(CommonText(IDS_ERR_TARGET_FILE_QUOTES_FMT), launchObject.TargetFile.c_str()));
        return E_INVALIDARG;
    }
    const LaunchCommandLine::Target target = LaunchCommandLine::SplitTarget(launchObject.TargetFile, IsExistingFile);
    if (!ConfirmUnmappedStart(launchObject, target.program))
        return S_FALSE;

    std::vector<std::string> answers;
    if (!ActionChain(nullptr).Run(launchObject.Actions, answers)) {
        LogFormatted("Launch object '%s' cancelled by the user\n", launchObject.Name.c_str());
        return S_FALSE;
    }

    ProgramStart start;
    start.program = target.program;
    start.arguments = LaunchCommandLine::JoinArguments(target.arguments, answers);
    start.workingFolder = launchObject.StartIn.empty() ? FolderOf(target.program) : launchObject.StartIn;
    start.startAs = launchObject.StartAs;
    ScopedKernelHandle process;
    const DWORD error = StartProgram(start, process);
    if (error != NO_ERROR) {
        LogFormatted("Launch object '%s' could not start '%s': %u\n", launchObject.Name.c_str(),
                     start.program.c_str(), static_cast<unsigned>(error));
        ShowErrorPrompt(nullptr, FormatText(LaunchText(IDS_LAUNCH_CANNOT_START_FMT), start.program.c_str(),
                                            static_cast<int>(error)));
        return HRESULT_FROM_WIN32(error);
    }
    LogFormatted("Launch object '%s' started: %s %s\n", launchObject.Name.c_str(), start.program.c_str(),
                 start.arguments.c_str());
    return S_OK;
}

bool LaunchObjectRunner::ConfirmUnmappedStart(const CacheItem& launchObject, const std::string& program) const
{
    const std::vector<PlannedMapping> mappings = PlanLaunchMappings(launchObject, program);
    if (mappings.empty())
        return true;
    const PlannedMapping& first = mappings.front();
    LogFormatted("Launch object '%s' asks for %d drive mappings, which this module cannot make\n",
                 launchObject.Name.c_str(), static_cast<int>(mappings.size()));
    PromptRequest request;
    request.caption = CommonText(IDS_CAPTION_AUTOMAPPING);
    request.style = MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND;
    if (first.letter.empty()) {
        request.text = FormatText(CommonText(IDS_ASK_CONTINUE_AFTER_FREE_MAP_FAILURE_FMT), first.path.c_str());
    } else {
        const std::string letter = first.letter.find(':') == std::string::npos ? first.letter + ":" : first.letter;
        request.text = FormatText(CommonText(IDS_ASK_CONTINUE_AFTER_MAP_FAILURE_FMT), letter.c_str(), first.path.c_str());
    }
    return AskPrompt(request) == IDYES;
}
