#pragma once

#include "ui/prompt.h"

#include <deque>
#include <vector>

// Answers the suite's message boxes in turn with scripted buttons (and check-box states),
// then with a default, and remembers what was asked.
class ScriptedPrompts {
public:
    explicit ScriptedPrompts(int defaultAnswer = IDOK);
    ~ScriptedPrompts();
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    // The next unanswered box gets this button (and, for a check-box box, this check state).
    void Then(int answer, bool checked = false);

    const std::vector<PromptRequest>& Prompts() const { return prompts_; }
    // The texts asked, in order.
    std::vector<std::string> Texts() const;
    // Forgets what was asked so far.
    void Clear() { prompts_.clear(); }

private:
    struct Answer {
        int button;
        bool checked;
    };
    std::deque<Answer> answers_;
    int defaultAnswer_;
    std::vector<PromptRequest> prompts_;
    PromptHandler previous_;
};
