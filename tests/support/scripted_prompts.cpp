#include "support/scripted_prompts.h"

ScriptedPrompts::ScriptedPrompts(int defaultAnswer) : defaultAnswer_(defaultAnswer)
{
    previous_ = SetPromptHandler([this](PromptRequest& request) {
        prompts_.push_back(request);
        if (answers_.empty())
            return defaultAnswer_;
        const Answer answer = answers_.front();
        answers_.pop_front();
        if (!request.checkBoxText.empty())
            request.checked = answer.checked;
        return answer.button;
    });
}

ScriptedPrompts::~ScriptedPrompts() { SetPromptHandler(previous_); }

void ScriptedPrompts::Then(int answer, bool checked) { answers_.push_back(Answer{answer, checked}); }

std::vector<std::string> ScriptedPrompts::Texts() const
{
    std::vector<std::string> texts;
    for (const PromptRequest& request : prompts_)
        texts.push_back(request.text);
    return texts;
}
