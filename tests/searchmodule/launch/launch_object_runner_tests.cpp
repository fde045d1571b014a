// Running a launch object in this process: what is refused before any question, what the
// questions decide, and how the target is started (the real test program, really started).

#include "launch_object_runner.h"
#include "launch_record.h"
#include "ns_result_codes.h"

#include "base/module_path.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "support/cache_fixture.h"
#include "support/scripted_network.h"
#include "ui/prompt.h"

#include <functional>
#include <mutex>

namespace {

constexpr DWORD kStartTimeoutMs = 15000;
const std::string kTools = "\\\\ALPHA\\TOOLS";

class LaunchObjectRunnerTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(387);
        previous_ = SetPromptHandler([this](PromptRequest& request) {
            asked_.push_back(request);
            return answers_.empty() ? IDCANCEL : Next();
        });
    }
    void TearDown() override { SetPromptHandler(previous_); }

    int Next()
    {
        const int answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    }

    // A launch object in the user folder "Work" that starts the test program, which records
    // its start in record().
    RegKey MakeLaunchObject(const std::string& name, const std::string& extraArguments = "")
    {
        MakeFolder("Work\\" + name, name, LaunchObject);
        RegKey key = CacheKey("Work\\" + name);
        key.SetStringValue("TargetFile",
                           "\"" + TargetProgram() + "\" \"" + Record() + "\"" + extraArguments);
        return key;
    }

    static std::string TargetProgram() { return JoinPath(DirectoryOf(ModuleFileName(nullptr)), "launch_target.exe"); }
    std::string Record() const { return folder.File("record.txt"); }

    static void SetActions(const RegKey& key, const std::vector<LOAction>& actions)
    {
        CacheItem holder;
        holder.Actions = actions;
        holder.WriteActionsToRegistry(key);
    }

    static LOAction MessageBoxAsking(const std::string& message, int buttons)
    {
        LOAction action;
        action.LOActionType = 1;
        action.DlgTitle = "Before you start";
        action.DlgMessage = message;
        action.MBButtons = buttons;
        return action;
    }

    // The id of the next program whose end the runner reports; 0 when the time is up.
    int WaitForEndedProgram(DWORD timeoutMs)
    {
        const ULONGLONG end = ::GetTickCount64() + timeoutMs;
        for (;;) {
            {
                std::lock_guard guard(endedLock_);
                if (!endedIds_.empty()) {
                    const int id = endedIds_.front();
                    endedIds_.erase(endedIds_.begin());
                    return id;
                }
            }
            const ULONGLONG now = ::GetTickCount64();
            if (now >= end || ::WaitForSingleObject(programEnded_.Get(), static_cast<DWORD>(end - now)) != WAIT_OBJECT_0)
                return 0;
        }
    }

    // Waits until the runner reports a program's end, then lets it treat that program's
    // mappings here, as the module does on its own thread.
    bool FinishEndedProgram(DWORD timeoutMs)
    {
        const int id = WaitForEndedProgram(timeoutMs);
        if (id == 0)
            return false;
        runner_.ProgramEnded(id);
        return true;
    }

    // A launch object in "Work" whose multiple mapping puts the share \\ALPHA\TOOLS on letters.
    RegKey MakeLaunchObjectMappingTools(const std::string& name, const std::string& multipleMapping, int exitStatus)
    {
        RegKey key = MakeLaunchObject(name);
        key.SetDWORDValue("AutoMapping", 3);
        key.SetStringValue("MultipleMapping", multipleMapping);
        key.SetDWORDValue("ExitLOStatus", static_cast<DWORD>(exitStatus));
        network_.AnswerConnect(kTools, NO_ERROR);
        return key;
    }

    // A connection of the user's, remembered for the next log-on.
    void ConnectRemembered(const std::string& localName, const std::string& remoteName)
    {
        network_.Connect(localName, remoteName, true);
        RegKey::CURRENT_USER.CreateKey("Network\\" + localName.substr(0, 1));
    }

    std::vector<PromptRequest> asked_;
    std::vector<int> answers_;
    PromptHandler previous_;
    ScriptedNetwork network_;
    ScopedKernelHandle programEnded_{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::mutex endedLock_;
    std::vector<int> endedIds_;
    LaunchObjectRunner runner_{[this](int id) {
        {
            std::lock_guard guard(endedLock_);
            endedIds_.push_back(id);
        }
        ::SetEvent(programEnded_.Get());
    }};
};

TEST_F(LaunchObjectRunnerTest, TheTargetStartsInItsFolderWithItsWindowStateAfterTheQuestionsAreAnswered)
{
    RegKey key = MakeLaunchObject("Setup", " /fixed");
    key.SetStringValue("StartIn", folder.Path());
    key.SetDWORDValue("StartAs", 2);
    SetActions(key, {MessageBoxAsking("Insert the licence disc.", MB_OKCANCEL), MessageBoxAsking("Sure?", MB_YESNO)});
    answers_ = {IDOK, IDYES};

    ASSERT_EQ(S_OK, runner_.Execute("Work\\Setup"));
    ASSERT_EQ(2u, asked_.size());
    EXPECT_EQ("Insert the licence disc.", asked_[0].text);
    EXPECT_EQ("Before you start", asked_[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION), asked_[0].style & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), asked_[1].style & (MB_TYPEMASK | MB_ICONMASK));

    const auto record = WaitForLaunchRecord(Record(), kStartTimeoutMs);
    ASSERT_TRUE(record) << "the target never started";
    EXPECT_EQ((std::vector<std::string>{Record(), "/fixed"}), record->Arguments());
    EXPECT_EQ(0, ::lstrcmpiA(folder.Path().c_str(), record->folder.c_str())) << record->folder;
    EXPECT_EQ(SW_SHOWMAXIMIZED, record->show);
}

TEST_F(LaunchObjectRunnerTest, NoOrCancelAtAnyQuestionStartsNothing)
{
    RegKey key = MakeLaunchObject("Setup");
    SetActions(key, {MessageBoxAsking("First", MB_OKCANCEL), MessageBoxAsking("Second", MB_YESNO),
                     MessageBoxAsking("Third", MB_OK)});
    answers_ = {IDOK, IDNO};
    EXPECT_EQ(S_FALSE, runner_.Execute("Work\\Setup"));
    EXPECT_EQ(2u, asked_.size()) << "nothing is asked after the user stopped";

    asked_.clear();
    answers_ = {IDCANCEL};
    EXPECT_EQ(S_FALSE, runner_.Execute("Work\\Setup"));
    EXPECT_EQ(1u, asked_.size());
    EXPECT_FALSE(WaitForLaunchRecord(Record(), 1500)) << "a cancelled launch object started its target";
}

TEST_F(LaunchObjectRunnerTest, RefusedTargetsAndMissingItemsAreReportedAndStartNothing)
{
    RegKey key = MakeLaunchObject("Quotes");
    key.SetStringValue("TargetFile", "\"" + TargetProgram() + " \"" + Record() + "\"");
    EXPECT_EQ(E_INVALIDARG, runner_.Execute("Work\\Quotes"));
    ASSERT_EQ(1u, asked_.size());
    EXPECT_NE(std::string::npos, asked_[0].text.find("Quotation marks are not used correctly")) << asked_[0].text;
    EXPECT_NE(std::string::npos, asked_[0].text.find(TargetProgram()));

    asked_.clear();
    EXPECT_EQ(NSS_S_NOT_FOUND, runner_.Execute("Work\\Absent"));
    ASSERT_EQ(1u, asked_.size());
    EXPECT_EQ("Cannot find item 'Work\\Absent'.", asked_[0].text);

    // A folder of that name is no launch object.
    asked_.clear();
    EXPECT_EQ(NSS_S_NOT_FOUND, runner_.Execute("Work"));

    asked_.clear();
    RegKey missing = MakeLaunchObject("Missing");
    missing.SetStringValue("TargetFile", folder.File("no such program.exe"));
    EXPECT_TRUE(FAILED(runner_.Execute("Work\\Missing")));
    ASSERT_EQ(1u, asked_.size());
    EXPECT_EQ(0u, asked_[0].text.find("Cannot start '")) << asked_[0].text;
    EXPECT_FALSE(WaitForLaunchRecord(Record(), 500));
}

TEST_F(LaunchObjectRunnerTest, AMappingThatCannotBeMadeAsksAndOnlyYesGoesOn)
{
    RegKey key = MakeLaunchObject("Mapped");
    key.SetDWORDValue("AutoMapping", 3);
    key.SetStringValue("MultipleMapping", "Target File Path:G|\\\\ALPHA\\CD1:F");
    network_.AnswerConnect("\\\\ALPHA\\CD1", ERROR_BAD_NET_NAME);

    answers_ = {IDOK, IDNO};   // the network's refusal, then the question
    EXPECT_EQ(S_FALSE, runner_.Execute("Work\\Mapped"));
    ASSERT_EQ(2u, asked_.size());
    EXPECT_EQ(CommonText(IDS_CAPTION_AUTOMAPPING), asked_[1].caption);
    EXPECT_EQ("Failed to map the drive F: to the path\n\n\\\\ALPHA\\CD1.\n\nDo you want to continue anyway?",
              asked_[1].text);
    EXPECT_FALSE(WaitForLaunchRecord(Record(), 1000));

    answers_ = {IDOK, IDYES};
    EXPECT_EQ(S_OK, runner_.Execute("Work\\Mapped"));
    EXPECT_TRUE(WaitForLaunchRecord(Record(), kStartTimeoutMs));
}

TEST_F(LaunchObjectRunnerTest, TheMappingsEndWithTheProgramAsItsLaunchObjectSaysAndTheUsersLettersStay)
{
    const std::string old = "\\\\OLD\\SHARE";
    network_.AnswerConnect(old, NO_ERROR);
    RegKey key = MakeLaunchObjectMappingTools("Mapped", kTools + ":F|" + kTools + ":H|" + kTools + ":K", 0);

    const struct {
        int exitStatus;
        const char* fAfter;   // F: was free before
        const char* hAfter;   // H: served the old share before, remembered for the next log-on
        bool hRemembered;
    } cases[] = {
        {0, "", "\\\\OLD\\SHARE", true},
        {1, "", "", true},   // unmapped, but the user's connection comes back at the next log-on
        {2, "\\\\ALPHA\\TOOLS", "\\\\ALPHA\\TOOLS", false},
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.exitStatus);
        network_.CancelConnection2("F:", 0, TRUE);
        ConnectRemembered("H:", old);
        ConnectRemembered("K:", kTools);   // the user's own drive of the tools share
        answers_ = {IDYES, IDYES};         // replacing H:, and putting it back
        key.SetDWORDValue("ExitLOStatus", static_cast<DWORD>(expected.exitStatus));
        ::DeleteFileA(Record().c_str());

        ASSERT_EQ(S_OK, runner_.Execute("Work\\Mapped"));
        ASSERT_TRUE(WaitForLaunchRecord(Record(), kStartTimeoutMs));
        EXPECT_EQ(kTools, network_.ConnectionOf("F:")) << "mapped while the program runs";
        if (expected.exitStatus == 2) {
            EXPECT_FALSE(runner_.HoldsMappings()) << "kept mappings wait for nothing";
        } else {
            ASSERT_TRUE(FinishEndedProgram(kStartTimeoutMs)) << "the end of the program was never reported";
        }
        EXPECT_FALSE(runner_.HoldsMappings());
        EXPECT_EQ(expected.fAfter, network_.ConnectionOf("F:"));
        EXPECT_EQ(expected.hAfter, network_.ConnectionOf("H:"));
        EXPECT_EQ(expected.hRemembered, network_.IsRemembered("H:"));
        EXPECT_EQ(kTools, network_.ConnectionOf("K:")) << "the user's drive of the same share is never taken";
        EXPECT_TRUE(network_.IsRemembered("K:"));
    }
    for (const auto& cancel : network_.CancelCalls())
        EXPECT_NE("K:", cancel.name);
}

TEST_F(LaunchObjectRunnerTest, ALetterTakenOrStillUsedByAnotherRequestIsLeftToIt)
{
    MakeLaunchObjectMappingTools("First", kTools + ":F", 1);
    MakeLaunchObjectMappingTools("Second", kTools + ":F", 1);

    // Another request put another share on F: while the program ran.
    ASSERT_EQ(S_OK, runner_.Execute("Work\\First"));
    const int first = WaitForEndedProgram(kStartTimeoutMs);
    ASSERT_NE(0, first);
    network_.CancelConnection2("F:", 0, TRUE);
    network_.Connect("F:", "\\\\OTHER\\SHARE");
    runner_.ProgramEnded(first);
    EXPECT_EQ("\\\\OTHER\\SHARE", network_.ConnectionOf("F:"));
    network_.CancelConnection2("F:", 0, TRUE);

    // A second program uses the letter the first one connected: the first one's end leaves it,
    // the second one's end gives it back.
    ASSERT_EQ(S_OK, runner_.Execute("Work\\First"));
    const int earlier = WaitForEndedProgram(kStartTimeoutMs);
    ASSERT_NE(0, earlier);
    ASSERT_EQ(S_OK, runner_.Execute("Work\\Second"));
    const int later = WaitForEndedProgram(kStartTimeoutMs);
    ASSERT_NE(0, later);
    runner_.ProgramEnded(earlier);
    EXPECT_EQ(kTools, network_.ConnectionOf("F:")) << "taken from a program that still runs from it";
    EXPECT_TRUE(runner_.HoldsMappings());
    runner_.ProgramEnded(later);
    EXPECT_EQ("", network_.ConnectionOf("F:"));
    EXPECT_FALSE(runner_.HoldsMappings());
}

} // namespace
